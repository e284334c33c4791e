# The strip chart control itself, offscreen: adding a sample and repainting a full 1000-column chart.
if(VORTA_BUILD_UI)
  vorta_add_bench(xy_chart_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/xy_chart_bench.cpp LIBS vorta_ui)
endif()
