#include <algorithm>
#include <array>
#include <mutex>
#include <utility>

#include "engine/mci/mci.h"

namespace qrv::mci {
namespace {

struct ErrorEntry {
  uint32_t code;
  const char* text;
};

// Our own wording for every code a device of this program can return.
constexpr std::array kErrors = {
    ErrorEntry{MMSYSERR_NOERROR, "The specified command was carried out."},
    ErrorEntry{MCIERR_INVALID_DEVICE_ID,
               "Invalid device identifier. The device is not open or was closed."},
    ErrorEntry{MCIERR_UNRECOGNIZED_KEYWORD, "The command contains an unknown parameter."},
    ErrorEntry{MCIERR_UNRECOGNIZED_COMMAND, "The device does not know this command."},
    ErrorEntry{MCIERR_HARDWARE, "The media device reported a hardware problem."},
    ErrorEntry{MCIERR_INVALID_DEVICE_NAME, "No media device of that name is known."},
    ErrorEntry{MCIERR_OUT_OF_MEMORY, "There is not enough memory for this request."},
    ErrorEntry{MCIERR_DEVICE_OPEN, "The device is already open."},
    ErrorEntry{MCIERR_CANNOT_LOAD_DRIVER, "The media device could not be started."},
    ErrorEntry{MCIERR_MISSING_COMMAND_STRING, "No command was given."},
    ErrorEntry{MCIERR_PARAM_OVERFLOW, "The answer does not fit into the space given for it."},
    ErrorEntry{MCIERR_MISSING_STRING_ARGUMENT, "The command needs a text parameter."},
    ErrorEntry{MCIERR_BAD_INTEGER, "A number in the command is not valid."},
    ErrorEntry{MCIERR_PARSER_INTERNAL, "The command could not be understood."},
    ErrorEntry{MCIERR_DRIVER_INTERNAL,
               "The media device failed inside. Try closing and opening it."},
    ErrorEntry{MCIERR_MISSING_PARAMETER, "The command needs a parameter that was not given."},
    ErrorEntry{MCIERR_UNSUPPORTED_FUNCTION, "The device cannot carry out this command."},
    ErrorEntry{MCIERR_FILE_NOT_FOUND, "The file cannot be found. Check the path and file name."},
    ErrorEntry{MCIERR_DEVICE_NOT_READY, "The device is not ready. Check that a disc is inserted."},
    ErrorEntry{MCIERR_INTERNAL, "The media layer failed while starting the device."},
    ErrorEntry{MCIERR_DRIVER, "The device failed while carrying out the command."},
    ErrorEntry{MCIERR_CANNOT_USE_ALL, "This command cannot be sent to all devices at once."},
    ErrorEntry{MCIERR_MULTIPLE, "Errors occurred in more than one device."},
    ErrorEntry{MCIERR_EXTENSION_NOT_FOUND, "No media device can play this kind of file."},
    ErrorEntry{MCIERR_OUTOFRANGE, "The position lies outside the medium."},
    ErrorEntry{MCIERR_FLAGS_NOT_COMPATIBLE, "The parameters of the command contradict each other."},
    ErrorEntry{MCIERR_FILE_NOT_SAVED, "The file was not saved."},
    ErrorEntry{MCIERR_DEVICE_TYPE_REQUIRED, "The device needs a device type to be opened."},
    ErrorEntry{MCIERR_DEVICE_LOCKED, "The device is busy. Wait a moment and try again."},
    ErrorEntry{MCIERR_DUPLICATE_ALIAS, "That alias is already in use."},
    ErrorEntry{MCIERR_BAD_CONSTANT, "A value in the command is not valid."},
    ErrorEntry{MCIERR_MUST_USE_SHAREABLE, "The device is in use. Open it as shareable."},
    ErrorEntry{MCIERR_MISSING_DEVICE_NAME, "The command needs a device name."},
    ErrorEntry{MCIERR_BAD_TIME_FORMAT, "The device does not support this time format."},
    ErrorEntry{MCIERR_NO_CLOSING_QUOTE, "A closing quotation mark is missing."},
    ErrorEntry{MCIERR_DUPLICATE_FLAGS, "A parameter was given twice."},
    ErrorEntry{MCIERR_INVALID_FILE, "The file is damaged or truncated and cannot be played."},
    ErrorEntry{MCIERR_NULL_PARAMETER_BLOCK, "The command was sent without its parameters."},
    ErrorEntry{MCIERR_UNNAMED_RESOURCE, "A file must be named before it can be saved."},
    ErrorEntry{MCIERR_NEW_REQUIRES_ALIAS, "A new device needs an alias."},
    ErrorEntry{MCIERR_NOTIFY_ON_AUTO_OPEN,
               "Notification is not available for automatically opened devices."},
    ErrorEntry{MCIERR_NO_ELEMENT_ALLOWED, "This device does not take a file name."},
    ErrorEntry{MCIERR_NONAPPLICABLE_FUNCTION,
               "The commands were given in an order the device cannot follow."},
    ErrorEntry{MCIERR_ILLEGAL_FOR_AUTO_OPEN,
               "This command is not allowed for automatically opened devices."},
    ErrorEntry{MCIERR_FILENAME_REQUIRED, "No file name was given."},
    ErrorEntry{MCIERR_EXTRA_CHARACTERS, "The command has extra text at its end."},
    ErrorEntry{MCIERR_DEVICE_NOT_INSTALLED, "The media device is not installed on this system."},
    ErrorEntry{MCIERR_GET_CD, "The folder or drive could not be read."},
    ErrorEntry{MCIERR_SET_CD, "The folder could not be opened."},
    ErrorEntry{MCIERR_SET_DRIVE, "The drive could not be opened."},
    ErrorEntry{MCIERR_DEVICE_LENGTH, "The device or driver name is too long."},
    ErrorEntry{MCIERR_DEVICE_ORD_LENGTH, "The device or driver name is too long."},
    ErrorEntry{MCIERR_NO_INTEGER, "The command needs a number."},
    ErrorEntry{MCIERR_WAVE_OUTPUTSINUSE, "Every sound output is in use."},
    ErrorEntry{MCIERR_WAVE_SETOUTPUTINUSE, "The chosen sound output is in use."},
    ErrorEntry{MCIERR_WAVE_INPUTSINUSE, "Every sound input is in use."},
    ErrorEntry{MCIERR_WAVE_SETINPUTINUSE, "The chosen sound input is in use."},
    ErrorEntry{MCIERR_WAVE_OUTPUTUNSPECIFIED, "No sound output is chosen."},
    ErrorEntry{MCIERR_WAVE_INPUTUNSPECIFIED, "No sound input is chosen."},
    ErrorEntry{MCIERR_WAVE_OUTPUTSUNSUITABLE,
               "No sound output can be opened. Check that a sound device or sound server works."},
    ErrorEntry{MCIERR_WAVE_SETOUTPUTUNSUITABLE, "The chosen sound output cannot play this format."},
    ErrorEntry{MCIERR_WAVE_INPUTSUNSUITABLE, "No sound input can record this format."},
    ErrorEntry{MCIERR_WAVE_SETINPUTUNSUITABLE, "The chosen sound input cannot record this format."},
    ErrorEntry{MCIERR_SEQ_DIV_INCOMPATIBLE,
               "The song's time division does not suit the sequencer."},
    ErrorEntry{MCIERR_SEQ_PORT_INUSE, "The MIDI output is in use."},
    ErrorEntry{MCIERR_SEQ_PORT_NONEXISTENT, "The MIDI output does not exist."},
    ErrorEntry{MCIERR_SEQ_PORT_MAPNODEVICE,
               "The MIDI mapping names a device that is not installed."},
    ErrorEntry{MCIERR_SEQ_PORT_MISCERROR, "The MIDI output reported an error."},
    ErrorEntry{MCIERR_SEQ_TIMER, "No timer is available for the sequencer."},
    ErrorEntry{MCIERR_SEQ_PORTUNSPECIFIED, "No MIDI output is chosen."},
    ErrorEntry{MCIERR_SEQ_NOMIDIPRESENT,
               "No MIDI synthesizer is installed. MIDI files need a General MIDI SoundFont."},
    ErrorEntry{MCIERR_NO_WINDOW, "There is no window to show the picture in."},
    ErrorEntry{MCIERR_CREATEWINDOW, "The picture window could not be created."},
    ErrorEntry{MCIERR_FILE_READ, "The file could not be read. Check that it may be read."},
    ErrorEntry{MCIERR_FILE_WRITE, "The file could not be written."},
    ErrorEntry{MCIERR_NO_IDENTITY, "The device has no identity."},
};

constexpr auto kCodes = [] {
  std::array<uint32_t, kErrors.size()> codes{};
  for (size_t i = 0; i < kErrors.size(); ++i) codes[i] = kErrors[i].code;
  return codes;
}();

// The texts of the devices' own errors: a small ring, so that a long run keeps a bounded number.
class DriverTexts {
 public:
  ErrorCode Add(std::string text) {
    std::lock_guard lock(mutex_);
    const size_t slot = next_++ % texts_.size();
    texts_[slot] = std::move(text);
    return MCIERR_CUSTOM_DRIVER_BASE + static_cast<ErrorCode>(slot);
  }
  bool Find(ErrorCode code, std::string& text) {
    if (code < MCIERR_CUSTOM_DRIVER_BASE || code >= MCIERR_CUSTOM_DRIVER_BASE + texts_.size()) {
      return false;
    }
    std::lock_guard lock(mutex_);
    const std::string& found = texts_[code - MCIERR_CUSTOM_DRIVER_BASE];
    if (found.empty()) return false;
    text = found;
    return true;
  }

 private:
  std::mutex mutex_;
  std::array<std::string, 64> texts_;
  size_t next_ = 0;
};

DriverTexts& Drivers() {
  static DriverTexts texts;
  return texts;
}

}  // namespace

ErrorCode DriverError(std::string text) {
  return Drivers().Add(std::move(text));
}

bool GetErrorString(ErrorCode code, std::string& text) {
  if (Drivers().Find(code, text)) return true;
  auto it = std::find_if(kErrors.begin(), kErrors.end(),
                         [code](const ErrorEntry& e) { return e.code == code; });
  if (it == kErrors.end()) return false;
  text = it->text;
  return true;
}

const uint32_t* KnownErrorCodes(size_t& count) {
  count = kCodes.size();
  return kCodes.data();
}

}  // namespace qrv::mci
