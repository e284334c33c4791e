# Line speed of the link against the simulated transmitter on a pseudo-terminal at 9600 baud.
vorta_add_bench(comm_line_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/comm_line_bench.cpp LIBS vorta_appcore vorta_sim)
