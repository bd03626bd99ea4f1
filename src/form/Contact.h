#pragma once

// Who made the program and where comments go; the welcome page shows both and the mail link
// is built from the same address.
namespace Contact {
inline constexpr const char* authorName = "The Tovia 3 Music Manager team";
inline constexpr const char* address = "tovia3-music-manager@example.org";
} // namespace Contact
