#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qrv::provision {

// The data folder the player reads, and what provisioning put there.
inline constexpr const char* kDataFolder = "c:\\qrv30";

struct Report {
  std::vector<std::string> created;  // Windows paths of new folders and files.
  std::vector<std::string> kept;     // Already there; left exactly as they were.
  std::vector<std::string> failed;   // Could not be created.
};

// Line ends as the help window expects them: every LF (and a lone CR) becomes CR LF.
std::string ToCrLf(std::string_view text);

// Creates the data folder with its "playlists" and "backgrounds" folders, the background bitmaps
// and the help text, in the drive table of $QUORVIN_PREFIX (making its drive c: when the table
// has none) and the empty "dosdevices" folder for links to further drives. Anything that exists
// already is kept as it is: nothing is ever overwritten or deleted.
Report ProvisionDataFolder(std::string_view help_text);

}  // namespace qrv::provision
