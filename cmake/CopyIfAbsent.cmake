# Usage: cmake -DSRC=<folder> -DDST=<folder> -P CopyIfAbsent.cmake
cmake_policy(SET CMP0057 NEW)
# Copies every file of SRC into DST unless DST already has a file of that name (compared
# without regard to letter case, as the program does).
file(MAKE_DIRECTORY "${DST}")
file(GLOB _src_files RELATIVE "${SRC}" "${SRC}/*")
file(GLOB _dst_files RELATIVE "${DST}" "${DST}/*")
set(_dst_lower)
foreach(f IN LISTS _dst_files)
  string(TOLOWER "${f}" fl)
  list(APPEND _dst_lower "${fl}")
endforeach()
foreach(f IN LISTS _src_files)
  string(TOLOWER "${f}" fl)
  if(NOT fl IN_LIST _dst_lower)
    file(COPY "${SRC}/${f}" DESTINATION "${DST}")
  endif()
endforeach()
