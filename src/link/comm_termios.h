#pragma once
#include "link/comm_backend.h"
#include <termios.h>

namespace portiqa::commio {

// The terminal attributes for a set of line settings, made without a device
// (so each combination can be checked field by field). False with reason for
// a speed or data-bit count the line cannot have.
bool BuildTermios(const LineSettings& s, termios& t, std::string& reason);

} // namespace portiqa::commio
