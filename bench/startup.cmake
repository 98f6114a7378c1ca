# startup_bench starts the assembled program and the bare reference window, which is built with
# the same flags and links QtWidgets alone.
add_executable(zorvex-bare-window ${CMAKE_CURRENT_SOURCE_DIR}/bare_window.cpp)
target_include_directories(zorvex-bare-window PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zorvex-bare-window PRIVATE zorvex_options Qt6::Widgets)
target_compile_definitions(startup_bench PRIVATE
  ZORVEX_BARE_WINDOW="$<TARGET_FILE:zorvex-bare-window>"
  ZORVEX_BUILD_PROGRAM_DIR="${ZORVEX_PROGRAM_DIR}")
add_dependencies(startup_bench zorvex-bare-window zorvex zorvex_data)
