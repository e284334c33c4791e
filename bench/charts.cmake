# The strip chart's sample store and scale: adding to a full chart, a simulated day's run.
vorta_add_bench(charts_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/charts_bench.cpp LIBS vorta_charts)
