# The live feed: its state, its server, and its start from the settings file.
find_package(Qt6 REQUIRED COMPONENTS WebSockets)
tv_test(test_feed SOURCES test_feed.cpp AREAS tv_app tv_feed LIBS Qt6::WebSockets)
add_dependencies(test_feed tallyvanefeed)
