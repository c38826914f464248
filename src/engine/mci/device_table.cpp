#include "engine/mci/device_table.h"

#include <QCoreApplication>

namespace qrv::mci {

NotifyEvent::NotifyEvent(uint32_t code, DeviceId device)
    : QEvent(EventType()), code_(code), device_(device) {}

QEvent::Type NotifyEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void PostNotify(QObject* target, uint32_t code, DeviceId device) {
  if (target == nullptr) return;
  // A posted event dies with its receiver, as a message to a destroyed window does.
  QCoreApplication::postEvent(target, new NotifyEvent(code, device));
}

void Device::ArmNotify(QObject* target) {
  FinishNotify(MCI_NOTIFY_SUPERSEDED);
  pending_ = target;
  pending_armed_ = target != nullptr;
}

void Device::FinishNotify(uint32_t code) {
  if (!pending_armed_) return;
  pending_armed_ = false;
  if (pending_) PostNotify(pending_, code, id_);
  pending_ = nullptr;
}

void Device::NotifyNow(uint32_t flags, const Request& request) const {
  if ((flags & MCI_NOTIFY) != 0) PostNotify(request.callback, MCI_NOTIFY_SUCCESSFUL, id_);
}

DeviceTable& DeviceTable::Instance() {
  static DeviceTable table;
  return table;
}

DeviceTable::DeviceTable() : factory_(OpenSystemDevice) {}

DeviceFactory DeviceTable::SetFactory(DeviceFactory factory) {
  return std::exchange(factory_, std::move(factory));
}

DeviceId DeviceTable::NextId() {
  // Identifiers are never 0 and are not reused while a device holds them.
  for (;;) {
    last_id_ = static_cast<DeviceId>(last_id_ + 1);
    if (last_id_ != 0 && devices_.count(last_id_) == 0) return last_id_;
  }
}

ErrorCode DeviceTable::Send(DeviceId device, uint32_t command, uint32_t flags, Request& request) {
  if (command == MCI_OPEN) {
    ErrorCode error = MCIERR_CANNOT_LOAD_DRIVER;
    std::unique_ptr<Device> opened = factory_ ? factory_(flags, request, error) : nullptr;
    if (!opened) return error != 0 ? error : MCIERR_CANNOT_LOAD_DRIVER;
    const DeviceId id = NextId();
    opened->SetDeviceId(id);
    devices_.emplace(id, std::move(opened));
    request.device_id = id;
    return 0;
  }
  auto it = devices_.find(device);
  if (it == devices_.end()) return MCIERR_INVALID_DEVICE_ID;
  const ErrorCode result = it->second->Execute(command, flags, request);
  if (command == MCI_CLOSE && result == 0) devices_.erase(it);
  return result;
}

void DeviceTable::CloseAll() {
  while (!devices_.empty()) {
    Request request;
    auto it = devices_.begin();
    it->second->Execute(MCI_CLOSE, MCI_WAIT, request);
    devices_.erase(it);
  }
}

ErrorCode SendCommand(DeviceId device, uint32_t command, uint32_t flags, Request& request) {
  return DeviceTable::Instance().Send(device, command, flags, request);
}

}  // namespace qrv::mci
