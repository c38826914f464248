#pragma once

#include <cstdint>
#include <string>

// The numbers of the Media Control Interface: commands, flags, items, modes, notification codes
// and error codes. They keep their standard values so that the player speaks the same language
// as the devices it was written against.
namespace qrv::mci {

using DeviceId = uint16_t;
using ErrorCode = uint32_t;

// Commands.
constexpr uint32_t MCI_OPEN = 0x0803;
constexpr uint32_t MCI_CLOSE = 0x0804;
constexpr uint32_t MCI_ESCAPE = 0x0805;
constexpr uint32_t MCI_PLAY = 0x0806;
constexpr uint32_t MCI_SEEK = 0x0807;
constexpr uint32_t MCI_STOP = 0x0808;
constexpr uint32_t MCI_PAUSE = 0x0809;
constexpr uint32_t MCI_INFO = 0x080A;
constexpr uint32_t MCI_GETDEVCAPS = 0x080B;
constexpr uint32_t MCI_SPIN = 0x080C;
constexpr uint32_t MCI_SET = 0x080D;
constexpr uint32_t MCI_STEP = 0x080E;
constexpr uint32_t MCI_RECORD = 0x080F;
constexpr uint32_t MCI_SYSINFO = 0x0810;
constexpr uint32_t MCI_BREAK = 0x0811;
constexpr uint32_t MCI_SAVE = 0x0813;
constexpr uint32_t MCI_STATUS = 0x0814;
constexpr uint32_t MCI_CUE = 0x0830;
constexpr uint32_t MCI_REALIZE = 0x0840;
constexpr uint32_t MCI_WINDOW = 0x0841;
constexpr uint32_t MCI_PUT = 0x0842;
constexpr uint32_t MCI_WHERE = 0x0843;
constexpr uint32_t MCI_FREEZE = 0x0844;
constexpr uint32_t MCI_UNFREEZE = 0x0845;
constexpr uint32_t MCI_LOAD = 0x0850;
constexpr uint32_t MCI_CUT = 0x0851;
constexpr uint32_t MCI_COPY = 0x0852;
constexpr uint32_t MCI_PASTE = 0x0853;
constexpr uint32_t MCI_UPDATE = 0x0854;
constexpr uint32_t MCI_RESUME = 0x0855;
constexpr uint32_t MCI_DELETE = 0x0856;

// Flags common to all commands.
constexpr uint32_t MCI_NOTIFY = 0x1;
constexpr uint32_t MCI_WAIT = 0x2;
constexpr uint32_t MCI_FROM = 0x4;
constexpr uint32_t MCI_TO = 0x8;
constexpr uint32_t MCI_TRACK = 0x10;

// MCI_OPEN flags.
constexpr uint32_t MCI_OPEN_SHAREABLE = 0x100;
constexpr uint32_t MCI_OPEN_ELEMENT = 0x200;
constexpr uint32_t MCI_OPEN_ALIAS = 0x400;
constexpr uint32_t MCI_OPEN_ELEMENT_ID = 0x800;
constexpr uint32_t MCI_OPEN_TYPE_ID = 0x1000;
constexpr uint32_t MCI_OPEN_TYPE = 0x2000;

// MCI_SEEK flags.
constexpr uint32_t MCI_SEEK_TO_START = 0x100;
constexpr uint32_t MCI_SEEK_TO_END = 0x200;

// MCI_STATUS flags and items.
constexpr uint32_t MCI_STATUS_ITEM = 0x100;
constexpr uint32_t MCI_STATUS_START = 0x200;
constexpr uint32_t MCI_STATUS_LENGTH = 1;
constexpr uint32_t MCI_STATUS_POSITION = 2;
constexpr uint32_t MCI_STATUS_NUMBER_OF_TRACKS = 3;
constexpr uint32_t MCI_STATUS_MODE = 4;
constexpr uint32_t MCI_STATUS_MEDIA_PRESENT = 5;
constexpr uint32_t MCI_STATUS_TIME_FORMAT = 6;
constexpr uint32_t MCI_STATUS_READY = 7;
constexpr uint32_t MCI_STATUS_CURRENT_TRACK = 8;

// MCI_GETDEVCAPS flags and items.
constexpr uint32_t MCI_GETDEVCAPS_ITEM = 0x100;
constexpr uint32_t MCI_GETDEVCAPS_CAN_RECORD = 1;
constexpr uint32_t MCI_GETDEVCAPS_HAS_AUDIO = 2;
constexpr uint32_t MCI_GETDEVCAPS_HAS_VIDEO = 3;
constexpr uint32_t MCI_GETDEVCAPS_DEVICE_TYPE = 4;
constexpr uint32_t MCI_GETDEVCAPS_USES_FILES = 5;
constexpr uint32_t MCI_GETDEVCAPS_COMPOUND_DEVICE = 6;
constexpr uint32_t MCI_GETDEVCAPS_CAN_EJECT = 7;
constexpr uint32_t MCI_GETDEVCAPS_CAN_PLAY = 8;
constexpr uint32_t MCI_GETDEVCAPS_CAN_SAVE = 9;

// Device types reported by MCI_GETDEVCAPS_DEVICE_TYPE.
constexpr uint32_t MCI_DEVTYPE_VCR = 513;
constexpr uint32_t MCI_DEVTYPE_VIDEODISC = 514;
constexpr uint32_t MCI_DEVTYPE_OVERLAY = 515;
constexpr uint32_t MCI_DEVTYPE_CD_AUDIO = 516;
constexpr uint32_t MCI_DEVTYPE_DAT = 517;
constexpr uint32_t MCI_DEVTYPE_SCANNER = 518;
constexpr uint32_t MCI_DEVTYPE_ANIMATION = 519;
constexpr uint32_t MCI_DEVTYPE_DIGITAL_VIDEO = 520;
constexpr uint32_t MCI_DEVTYPE_OTHER = 521;
constexpr uint32_t MCI_DEVTYPE_WAVEFORM_AUDIO = 522;
constexpr uint32_t MCI_DEVTYPE_SEQUENCER = 523;

// MCI_SET flags.
constexpr uint32_t MCI_SET_DOOR_OPEN = 0x100;
constexpr uint32_t MCI_SET_DOOR_CLOSED = 0x200;
constexpr uint32_t MCI_SET_TIME_FORMAT = 0x400;
constexpr uint32_t MCI_SET_AUDIO = 0x800;
constexpr uint32_t MCI_SET_VIDEO = 0x1000;
constexpr uint32_t MCI_SET_ON = 0x2000;
constexpr uint32_t MCI_SET_OFF = 0x4000;

// Animation and digital-video flags used by MCI_STEP and MCI_WINDOW.
constexpr uint32_t MCI_ANIM_STEP_REVERSE = 0x10000;
constexpr uint32_t MCI_ANIM_STEP_FRAMES = 0x20000;
constexpr uint32_t MCI_ANIM_WINDOW_HWND = 0x10000;

// Time formats.
constexpr uint32_t MCI_FORMAT_MILLISECONDS = 0;
constexpr uint32_t MCI_FORMAT_HMS = 1;
constexpr uint32_t MCI_FORMAT_MSF = 2;
constexpr uint32_t MCI_FORMAT_FRAMES = 3;
constexpr uint32_t MCI_FORMAT_SMPTE_24 = 4;
constexpr uint32_t MCI_FORMAT_SMPTE_25 = 5;
constexpr uint32_t MCI_FORMAT_SMPTE_30 = 6;
constexpr uint32_t MCI_FORMAT_SMPTE_30DROP = 7;
constexpr uint32_t MCI_FORMAT_BYTES = 8;
constexpr uint32_t MCI_FORMAT_SAMPLES = 9;
constexpr uint32_t MCI_FORMAT_TMSF = 10;

// Modes.
constexpr uint32_t MCI_MODE_NOT_READY = 524;
constexpr uint32_t MCI_MODE_STOP = 525;
constexpr uint32_t MCI_MODE_PLAY = 526;
constexpr uint32_t MCI_MODE_RECORD = 527;
constexpr uint32_t MCI_MODE_SEEK = 528;
constexpr uint32_t MCI_MODE_PAUSE = 529;
constexpr uint32_t MCI_MODE_OPEN = 530;

// The completion message and its codes.
constexpr uint32_t MM_MCINOTIFY = 0x3B9;
constexpr uint32_t MCI_NOTIFY_SUCCESSFUL = 0x1;
constexpr uint32_t MCI_NOTIFY_SUPERSEDED = 0x2;
constexpr uint32_t MCI_NOTIFY_ABORTED = 0x4;
constexpr uint32_t MCI_NOTIFY_FAILURE = 0x8;

// Error codes.
constexpr ErrorCode MMSYSERR_NOERROR = 0;
constexpr ErrorCode MCIERR_BASE = 256;
constexpr ErrorCode MCIERR_INVALID_DEVICE_ID = 257;
constexpr ErrorCode MCIERR_UNRECOGNIZED_KEYWORD = 259;
constexpr ErrorCode MCIERR_UNRECOGNIZED_COMMAND = 261;
constexpr ErrorCode MCIERR_HARDWARE = 262;
constexpr ErrorCode MCIERR_INVALID_DEVICE_NAME = 263;
constexpr ErrorCode MCIERR_OUT_OF_MEMORY = 264;
constexpr ErrorCode MCIERR_DEVICE_OPEN = 265;
constexpr ErrorCode MCIERR_CANNOT_LOAD_DRIVER = 266;
constexpr ErrorCode MCIERR_MISSING_COMMAND_STRING = 267;
constexpr ErrorCode MCIERR_PARAM_OVERFLOW = 268;
constexpr ErrorCode MCIERR_MISSING_STRING_ARGUMENT = 269;
constexpr ErrorCode MCIERR_BAD_INTEGER = 270;
constexpr ErrorCode MCIERR_PARSER_INTERNAL = 271;
constexpr ErrorCode MCIERR_DRIVER_INTERNAL = 272;
constexpr ErrorCode MCIERR_MISSING_PARAMETER = 273;
constexpr ErrorCode MCIERR_UNSUPPORTED_FUNCTION = 274;
constexpr ErrorCode MCIERR_FILE_NOT_FOUND = 275;
constexpr ErrorCode MCIERR_DEVICE_NOT_READY = 276;
constexpr ErrorCode MCIERR_INTERNAL = 277;
constexpr ErrorCode MCIERR_DRIVER = 278;
constexpr ErrorCode MCIERR_CANNOT_USE_ALL = 279;
constexpr ErrorCode MCIERR_MULTIPLE = 280;
constexpr ErrorCode MCIERR_EXTENSION_NOT_FOUND = 281;
constexpr ErrorCode MCIERR_OUTOFRANGE = 282;
constexpr ErrorCode MCIERR_FLAGS_NOT_COMPATIBLE = 284;
constexpr ErrorCode MCIERR_FILE_NOT_SAVED = 286;
constexpr ErrorCode MCIERR_DEVICE_TYPE_REQUIRED = 287;
constexpr ErrorCode MCIERR_DEVICE_LOCKED = 288;
constexpr ErrorCode MCIERR_DUPLICATE_ALIAS = 289;
constexpr ErrorCode MCIERR_BAD_CONSTANT = 290;
constexpr ErrorCode MCIERR_MUST_USE_SHAREABLE = 291;
constexpr ErrorCode MCIERR_MISSING_DEVICE_NAME = 292;
constexpr ErrorCode MCIERR_BAD_TIME_FORMAT = 293;
constexpr ErrorCode MCIERR_NO_CLOSING_QUOTE = 294;
constexpr ErrorCode MCIERR_DUPLICATE_FLAGS = 295;
constexpr ErrorCode MCIERR_INVALID_FILE = 296;
constexpr ErrorCode MCIERR_NULL_PARAMETER_BLOCK = 297;
constexpr ErrorCode MCIERR_UNNAMED_RESOURCE = 298;
constexpr ErrorCode MCIERR_NEW_REQUIRES_ALIAS = 299;
constexpr ErrorCode MCIERR_NOTIFY_ON_AUTO_OPEN = 300;
constexpr ErrorCode MCIERR_NO_ELEMENT_ALLOWED = 301;
constexpr ErrorCode MCIERR_NONAPPLICABLE_FUNCTION = 302;
constexpr ErrorCode MCIERR_ILLEGAL_FOR_AUTO_OPEN = 303;
constexpr ErrorCode MCIERR_FILENAME_REQUIRED = 304;
constexpr ErrorCode MCIERR_EXTRA_CHARACTERS = 305;
constexpr ErrorCode MCIERR_DEVICE_NOT_INSTALLED = 306;
constexpr ErrorCode MCIERR_GET_CD = 307;
constexpr ErrorCode MCIERR_SET_CD = 308;
constexpr ErrorCode MCIERR_SET_DRIVE = 309;
constexpr ErrorCode MCIERR_DEVICE_LENGTH = 310;
constexpr ErrorCode MCIERR_DEVICE_ORD_LENGTH = 311;
constexpr ErrorCode MCIERR_NO_INTEGER = 312;
constexpr ErrorCode MCIERR_WAVE_OUTPUTSINUSE = 320;
constexpr ErrorCode MCIERR_WAVE_SETOUTPUTINUSE = 321;
constexpr ErrorCode MCIERR_WAVE_INPUTSINUSE = 322;
constexpr ErrorCode MCIERR_WAVE_SETINPUTINUSE = 323;
constexpr ErrorCode MCIERR_WAVE_OUTPUTUNSPECIFIED = 324;
constexpr ErrorCode MCIERR_WAVE_INPUTUNSPECIFIED = 325;
constexpr ErrorCode MCIERR_WAVE_OUTPUTSUNSUITABLE = 326;
constexpr ErrorCode MCIERR_WAVE_SETOUTPUTUNSUITABLE = 327;
constexpr ErrorCode MCIERR_WAVE_INPUTSUNSUITABLE = 328;
constexpr ErrorCode MCIERR_WAVE_SETINPUTUNSUITABLE = 329;
constexpr ErrorCode MCIERR_SEQ_DIV_INCOMPATIBLE = 336;
constexpr ErrorCode MCIERR_SEQ_PORT_INUSE = 337;
constexpr ErrorCode MCIERR_SEQ_PORT_NONEXISTENT = 338;
constexpr ErrorCode MCIERR_SEQ_PORT_MAPNODEVICE = 339;
constexpr ErrorCode MCIERR_SEQ_PORT_MISCERROR = 340;
constexpr ErrorCode MCIERR_SEQ_TIMER = 341;
constexpr ErrorCode MCIERR_SEQ_PORTUNSPECIFIED = 342;
constexpr ErrorCode MCIERR_SEQ_NOMIDIPRESENT = 343;
constexpr ErrorCode MCIERR_NO_WINDOW = 346;
constexpr ErrorCode MCIERR_CREATEWINDOW = 347;
constexpr ErrorCode MCIERR_FILE_READ = 348;
constexpr ErrorCode MCIERR_FILE_WRITE = 349;
constexpr ErrorCode MCIERR_NO_IDENTITY = 350;

// Devices number their own errors from here on, each with a text of its own, as drivers do.
constexpr ErrorCode MCIERR_CUSTOM_DRIVER_BASE = 512;

// Gives a device's own error a code whose text GetErrorString then returns. The codes are
// reused after a while, so a caller reads the text soon after the request failed.
ErrorCode DriverError(std::string text);

// The text of an error code, as mciGetErrorString gives it. Returns false and leaves `text`
// unchanged for a code that has no text.
bool GetErrorString(ErrorCode code, std::string& text);

// Every code that has a text, in ascending order (for tests and diagnostics).
const uint32_t* KnownErrorCodes(size_t& count);

// TMSF and MSF packing: track (or minutes) in the lowest byte.
constexpr uint32_t MakeTmsf(uint32_t track, uint32_t minutes, uint32_t seconds, uint32_t frames) {
  return (track & 0xFF) | ((minutes & 0xFF) << 8) | ((seconds & 0xFF) << 16) |
         ((frames & 0xFF) << 24);
}
constexpr uint32_t MakeMsf(uint32_t minutes, uint32_t seconds, uint32_t frames) {
  return (minutes & 0xFF) | ((seconds & 0xFF) << 8) | ((frames & 0xFF) << 16);
}
constexpr uint32_t TmsfTrack(uint32_t v) {
  return v & 0xFF;
}
constexpr uint32_t TmsfMinute(uint32_t v) {
  return (v >> 8) & 0xFF;
}
constexpr uint32_t TmsfSecond(uint32_t v) {
  return (v >> 16) & 0xFF;
}
constexpr uint32_t TmsfFrame(uint32_t v) {
  return (v >> 24) & 0xFF;
}

}  // namespace qrv::mci
