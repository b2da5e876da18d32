cmake_minimum_required(VERSION 3.25)
# Includes run one way: a folder may include its own headers and those of the folders below it,
# never those above. The page's binding (web/) is a front end like ui/ and cli/. Run by CTest as `cmake -DROOT=<source dir> -P tests/layering.cmake`.
set(below_platform "platform")
set(below_stats "stats;platform")
set(below_analysis "analysis;stats;platform")
set(below_report "report;analysis;stats;platform")
set(below_import "import;analysis;stats;platform")
set(below_ui "ui;import;report;analysis;stats;platform")
set(below_cli "cli;import;report;analysis;stats;platform")
set(below_web "web;ui;cli;import;report;analysis;stats;platform")

# The data layers take numbers and files in and give data out: none of them knows the window
# (its seam, its dialogs, its control ids), so a third front end can link them as they are.
set(data_layers stats analysis report import)
set(window_headers platform/window.h platform/data_exchange.h platform/dialog.h
                   platform/dialog_template.h platform/modal_host.h platform/help_viewer.h)

set(problems "")
foreach(folder platform stats analysis report import ui cli web)
  file(GLOB files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST below_${folder})
        string(APPEND problems "\n  ${file}: ${line}")
      endif()
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
      if(folder IN_LIST data_layers AND header IN_LIST window_headers)
        string(APPEND problems "\n  ${file}: ${line} (the window, in a data layer)")
      endif()
    endforeach()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Includes against the layering (a folder includes one above it, or a data layer the window):${problems}")
endif()
