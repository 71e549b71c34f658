# Start-up yardstick: the smallest Qt program with two windows, and the probe
# that times a program's windows onto the screen (bench/startup/measure).
add_executable(minimal_window startup/minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets)
add_executable(startup_probe startup/startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE X11::X11)
