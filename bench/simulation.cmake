# The simulation window's evaluation: one drag step and the whole function for a plot.
vorta_add_bench(simulation_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/simulation_bench.cpp LIBS vorta_sensors vorta_charts)
