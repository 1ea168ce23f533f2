// Must not build: the link layer cannot see the session above it.
#include "session/session.h"
