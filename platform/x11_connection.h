#pragma once

struct xcb_connection_t;

// Qt's connection to the X server, or null where Qt does not run on X11.
xcb_connection_t* x11Connection();
