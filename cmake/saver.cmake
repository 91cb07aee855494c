# The screen saver checks the user's password with the system's PAM stack, and takes the
# keyboard and the pointer on X11 through XCB and its XInput 2 extension.
target_link_libraries(korvane_core PUBLIC pam xcb xcb-xinput)
