# The simulation window on the offscreen platform: one drag step with its repaint, the whole plot.
if(VORTA_BUILD_UI)
  vorta_add_bench(symul_window_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/symul_window_bench.cpp LIBS vorta_ui)
endif()
