# vorta-cli write + verify against the simulated transmitter on a pseudo-terminal, and its start-up.
if(TARGET vorta-cli)
  vorta_add_bench(cli_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli_bench.cpp LIBS vorta_cli vorta_sim)
  target_compile_definitions(cli_bench PRIVATE VORTA_CLI_PROGRAM="$<TARGET_FILE:vorta-cli>")
  add_dependencies(cli_bench vorta-cli)
endif()
