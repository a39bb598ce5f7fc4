// What the program asks the system about the Internet: the configured HTTP proxy and whether a
// connection exists at all.
#pragma once

#include <string>

namespace vc {

// The system's HTTP proxy for forUrl as "host:port" (a proxy without a port gets 8080), empty when
// the system names none. Linux keeps it in the environment and the desktop settings.
std::string SystemProxy(const std::string& forUrl = "http://www.example.com/");

// True when the system reports a connection beyond the local network, or cannot tell. There is
// nothing to dial on this platform, so a missing connection is only reported.
bool EnsureConnected();

} // namespace vc
