# Speed of the characteristic computation that every write and the simulation run.
vorta_add_bench(sensors_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/sensors_bench.cpp LIBS vorta_sensors)
