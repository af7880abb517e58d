# kelvaro_main_window_table(<output header>): writes the main window's caption, client size and design table,
# read out of ui/main_window.cpp, as C++ rows (bench/floor_table.h) for the widget floor. Reading the window's
# own source keeps the floor from drifting from the window it is compared with; tests/ui's main_window_floor_test
# checks that the rows are the window's controls, all of them.
function(kelvaro_main_window_table output)
  set(source ${PROJECT_SOURCE_DIR}/ui/main_window.cpp)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  # A call that clang-format wrapped reads as one line.
  string(REGEX REPLACE "\n[ \t]*" " " text "${text}")

  set(caption "")
  set(width 0)
  set(height 0)
  if(text MATCHES "Window\\(u\"([^\"]*)\", ([0-9]+), ([0-9]+),")
    set(caption "${CMAKE_MATCH_1}")
    set(width ${CMAKE_MATCH_2})
    set(height ${CMAKE_MATCH_3})
  endif()

  # Containers: "Form" or "this" is the window; "QWidget* const F = Frame2;" names a frame.
  string(REGEX MATCHALL "QWidget\\* const [A-Za-z0-9_]+ = [A-Za-z0-9_]+" aliases "${text}")
  set(row "ui\\.([a-zA-Z]+)\\(\"([A-Za-z0-9_]+)\", ([A-Za-z0-9_]+), {([0-9]+), ([0-9]+), ([0-9]+), ([0-9]+)}(, u\"[^\"]*\")?, [0-9]+\\)")
  string(REGEX MATCHALL "${row}" controls "${text}")
  set(rows "")
  set(count 0)
  foreach(control IN LISTS controls)
    string(REGEX MATCH "${row}" _ "${control}")
    set(kind ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    set(container ${CMAKE_MATCH_3})
    set(at "${CMAKE_MATCH_4}, ${CMAKE_MATCH_5}, ${CMAKE_MATCH_6}, ${CMAKE_MATCH_7}")
    set(label "u\"\"")
    if(NOT CMAKE_MATCH_8 STREQUAL "")
      string(SUBSTRING "${CMAKE_MATCH_8}" 2 -1 label)
    endif()
    if(container STREQUAL "Form" OR container STREQUAL "this")
      set(container "")
    else()
      foreach(alias IN LISTS aliases)
        if(alias MATCHES "const ${container} = ([A-Za-z0-9_]+)$")
          set(container ${CMAKE_MATCH_1})
        endif()
      endforeach()
    endif()
    string(APPEND rows "    FloorControl{FloorKind::${kind}, \"${name}\", \"${container}\", {${at}}, ${label}},\n")
    math(EXPR count "${count} + 1")
  endforeach()
  file(CONFIGURE OUTPUT ${output} @ONLY CONTENT "// Generated from ui/main_window.cpp by bench/MainWindowTable.cmake.
#pragma once

#include \"floor_table.h\"

namespace kelvaro::bench {

inline constexpr FloorWindow MainWindowForm{u\"${caption}\", ${width}, ${height}};
inline constexpr std::array<FloorControl, ${count}> MainWindowControls{{
${rows}}};

}  // namespace kelvaro::bench
")
endfunction()
