# Databases on a real PostgreSQL server: a throw-away cluster, started once for the whole
# program, so the program is one test for CTest rather than one process per test.
add_executable(quillmark_server_tests
  server/server_test_main.cpp
  server/round_trip_test.cpp
  server/shared_database_test.cpp
  support/test_cluster.cpp
)
target_link_libraries(quillmark_server_tests PRIVATE quillmark_test_support GTest::gtest)
quillmark_warnings(quillmark_server_tests)
target_compile_definitions(quillmark_server_tests PRIVATE
  QUILLMARK_TOOL_PATH="$<TARGET_FILE:quillmark-tool>")
add_dependencies(quillmark_server_tests quillmark-tool)
add_test(NAME quillmark_server_tests COMMAND quillmark_server_tests)
