#pragma once

// What the application and the decryption tool (tools/decrypt) agree on. The tool is a separate
// program: it takes the backup folder and the output folder as its two arguments and the
// password as the first line of its standard input (never on the command line, where other
// local users could read it), and it reports on its standard output.

namespace zbe {

// The tool's file name in the program folder, and of its copy in WorkFolder.
inline constexpr const char* kDecryptionToolName = "tool";

// The decrypted "Manifest.db", written by the tool into the output folder. (The name is spelled
// as the tool has always written it.)
inline constexpr const char* kDecryptedManifestName = "Manifest.db-decypted";

// Printed after each stored file, followed by the decimal number of files done so far.
inline constexpr const char* kToolProgressMarker = "Count:";

// Printed alone when the password does not unlock the backup.
inline constexpr const char* kToolWrongPassword = "Wrong password";

}  // namespace zbe
