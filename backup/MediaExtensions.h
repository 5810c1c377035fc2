#pragma once

#include <string_view>

namespace zbe {

// The extension lists that split media files into pictures, audio and video: the preview picks
// its copy's kind by them, the scan splits app media into App Photos and App Videos, and the
// data list chooses a file's icon. One definition, shared by all of them.
inline constexpr std::string_view kPictureExtensions =
    "*.bmp|*.gif|*.jpg|*.jpeg|*.png|*.psd|*.tif|*.tiff|*.pcx|*.scr|*.ico|*.nef|*.nrw|*.crw|*.cr2|"
    "*.sr2|*.arw|*.srf|*.divu|*.pgm|*.k25|*.kdc|*.dcr|*.raf|*.iff|*.pbm|*.mef|*.jp2|*.mos|*.x3f|"
    "*.orf|*.erf|*.indd|*.pef|*.psp|*.mrw|*.dng|*.raw|*.pct|*.tga|*.heic|*.heif";
inline constexpr std::string_view kAudioExtensions =
    "*.mp3|*.wav|*.aiff|*.rps|*.mid|*.midi|*.m4a|*.m4p|*.au|*.ogg|*.wma|*.rm|*.ra|*.acd|*.amr|"
    "*.at3|*.caf|*.dss|*.m4r|*.nra|*.snd";
inline constexpr std::string_view kVideoExtensions =
    "*.rmvb|*.rm|*.mpeg|*.mov|*.avi|*.wmv|*.asf|*.mp4|*.flv|*.fla|*.swf|*.ape|*.m4v|*.3gp|*.dv|"
    "*.3g2|*.m4b|*.mkv|*.mts|*.divx|*.ogm|*.moi|*.vob|*.ajp|*.f4v|*.mqv|*.svi|*.vid|*.tod|"
    "*.hdmov|*.mod|*.m2t|*.lrv";

// True when "list" (one of the lists above) has an entry "*.<extension>", ASCII case ignored.
// Whole entries are compared, so "p" or "" is in no list (a bare substring search would put
// "p" among the audio files through "*.mp3"); for every extension the file type detection gives,
// this is the same answer as a substring search.
bool ExtensionInList(std::string_view list, std::string_view extension);

bool IsPictureExtension(std::string_view extension);
bool IsAudioExtension(std::string_view extension);
bool IsVideoExtension(std::string_view extension);

// The kind of preview copy a file gets, from the picture list, then the audio list, then the
// video list (so "rm", in both of the last two, counts as audio).
enum class MediaKind { kPicture, kAudio, kVideo, kNone };
MediaKind MediaKindOfExtension(std::string_view extension);

// The text after the last "." of "name" ("" when it has none).
std::string_view ExtensionOf(std::string_view name);

}  // namespace zbe
