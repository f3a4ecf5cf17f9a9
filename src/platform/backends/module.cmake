# The X11 window backend talks to the display through Xlib.
pkg_check_modules(QO_X11 REQUIRED IMPORTED_TARGET x11)
target_link_libraries(${QO_MODULE_TARGET} PUBLIC PkgConfig::QO_X11)
