#pragma once

#include <QAccessible>

class QWidget;

namespace qrv {

// Makes the painted widgets of this folder known to screen readers with a fitting role and
// their text as the name. Safe to call any number of times; the widgets call it themselves.
void InstallWidgetAccessibility();

// Tells accessibility clients that a painted widget's shown text changed, only while one
// listens: the display changes several times a second, mostly with nobody asking.
void AnnounceShownText(QWidget* widget, QAccessible::Event change);

}  // namespace qrv
