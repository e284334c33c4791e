# The cost of the line log: polling with the log window's reader open against closed, in one run.
vorta_add_bench(line_log_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/line_log_bench.cpp LIBS vorta_comm vorta_sim)
