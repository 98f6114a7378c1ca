# Compile settings shared by every target of the project, in one place.
add_library(zorvex_options INTERFACE)
target_compile_options(zorvex_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(zorvex_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER)

if(ZORVEX_SANITIZE)
  set(_zv_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(zorvex_options INTERFACE ${_zv_san})
  target_link_options(zorvex_options INTERFACE ${_zv_san})
endif()
