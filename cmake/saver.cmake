# The screen saver checks the user's password with the system's PAM stack.
target_link_libraries(korvane_core PUBLIC pam)
