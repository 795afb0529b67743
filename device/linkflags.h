#pragma once

// Process-wide: a handshake succeeded (gates restoring the window).
extern bool deviceReady;
// Process-wide: report scrambling on, from the device table.
extern bool isEncode;
