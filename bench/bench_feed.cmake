# The live feed's latency and idle costs through a real browser:
#   cmake --build <build> --target bench_feed
add_custom_target(bench_feed
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/bench_feed.sh $<TARGET_FILE:tallyvane>
  DEPENDS tallyvane tallyvanefeed
  USES_TERMINAL)
