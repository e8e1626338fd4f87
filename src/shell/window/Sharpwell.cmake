# Sharpwell.exe: the GUI program, one static file. Included from this folder's
# CMakeLists.txt in Windows builds.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(SHARPWELL_ICON ${CMAKE_CURRENT_BINARY_DIR}/sharpwell.ico)
add_custom_command(OUTPUT ${SHARPWELL_ICON}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/make_app_icon.py ${SHARPWELL_ICON}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_app_icon.py
  COMMENT "Drawing the program's icon")
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/Sharpwell.rc PROPERTIES
  OBJECT_DEPENDS "${SHARPWELL_ICON};${CMAKE_CURRENT_SOURCE_DIR}/Sharpwell.manifest")

add_executable(Sharpwell WIN32 WinMain.cpp Sharpwell.rc)
target_include_directories(Sharpwell PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(Sharpwell PRIVATE sharpwell_window)
set_target_properties(Sharpwell PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The release file carries no symbol tables (about half its size).
target_link_options(Sharpwell PRIVATE $<$<CONFIG:Release>:-s>)
