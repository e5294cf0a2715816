# Precompiled headers of Qt's own headers (and GoogleTest's), shared by every target that uses Qt.
#
# Parsing those headers is most of the time of compiling a source file here (a widget file spends
# about 2 of its 3.5 seconds there), and a clean build compiles some 230 such files. With the
# shared headers each takes a third to a half less compiler time; a whole build gains about an
# eighth, as loading the large precompiled header costs the system time back in part.
#
# GCC only uses a precompiled header compiled with the same options and with no macro defined
# differently, so there is one per kind of user: QtCore or QtWidgets, with or without GoogleTest.
# Targets that do not use Qt are left alone (they lack the -fPIC that Qt imposes on its users).
# CMake adds -Winvalid-pch, which -Werror turns into an error: a header that no longer fits its
# users breaks the build instead of silently costing its time again.
option(ZOK_PCH "Share precompiled Qt headers among the targets that use Qt" ON)

# zok_qt_use(target out): sets out to Widgets, Core or "" by the Qt modules whose compile settings
# reach `target`: the ones it links, and the ones our libraries pass on to their users. A user of
# QtGui without QtWidgets takes the QtCore header (the QtWidgets one would need QT_WIDGETS_LIB).
function(zok_qt_use target out)
  get_target_property(type ${target} TYPE)
  set(libs "")
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND libs ${direct})
    endif()
  endif()
  zok_qt_use_of_libs("${libs}" use)
  set(${out} "${use}" PARENT_SCOPE)
endfunction()

function(zok_qt_use_of_libs libs out)
  set(use "")
  foreach(lib ${libs})
    set(sub "")
    if(lib STREQUAL "Qt6::Widgets")
      set(sub Widgets)
    elseif(lib MATCHES "^Qt6::")
      set(sub Core)
    elseif(TARGET ${lib})
      get_target_property(imported ${lib} IMPORTED)
      if(NOT imported)
        get_property(known GLOBAL PROPERTY ZOK_QT_USE_${lib} SET)
        if(NOT known)
          set_property(GLOBAL PROPERTY ZOK_QT_USE_${lib} "") # a cycle ends here
          get_target_property(passed ${lib} INTERFACE_LINK_LIBRARIES)
          if(passed)
            zok_qt_use_of_libs("${passed}" found)
            set_property(GLOBAL PROPERTY ZOK_QT_USE_${lib} "${found}")
          endif()
        endif()
        get_property(sub GLOBAL PROPERTY ZOK_QT_USE_${lib})
      endif()
    endif()
    if(sub STREQUAL "Widgets" OR (sub AND NOT use))
      set(use ${sub})
    endif()
  endforeach()
  set(${out} "${use}" PARENT_SCOPE)
endfunction()

function(zok_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    zok_collect_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# zok_share_qt_pch(): to be called once, after every target is defined.
function(zok_share_qt_pch)
  if(NOT ZOK_PCH OR NOT ZOK_WITH_QT OR ZOK_FUZZ OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  zok_collect_targets(${PROJECT_SOURCE_DIR} targets)

  set(core_headers <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QByteArray>
      <QtCore/QTimer> <QtCore/QCoreApplication> <QtCore/QEvent> <QtCore/QFile> <QtCore/QDir>
      <QtCore/QDateTime> <QtCore/QPointer> <QtCore/QTemporaryDir> <string> <vector> <memory>
      <functional> <optional> <algorithm> <chrono> <filesystem>)
  set(widget_headers ${core_headers} <QtGui/QColor> <QtGui/QPainter> <QtGui/QKeyEvent>
      <QtGui/QMouseEvent> <QtWidgets/QApplication> <QtWidgets/QWidget> <QtWidgets/QDialog>
      <QtWidgets/QLabel> <QtWidgets/QPushButton> <QtWidgets/QLineEdit> <QtWidgets/QCheckBox>
      <QtWidgets/QMenu> <QtWidgets/QLayout> <QtWidgets/QAbstractScrollArea>)

  # Compiled against the same Qt module (and GoogleTest) as its users, so that it has their
  # macros and options; none of Qt's test library, whose macros differ from folder to folder.
  set(kinds Core Widgets)
  if(TARGET GTest::gtest AND TARGET GTest::gmock)
    list(APPEND kinds CoreTest WidgetsTest)
  endif()
  foreach(kind ${kinds})
    set(pch zok_pch_${kind})
    add_library(${pch} OBJECT ${PROJECT_SOURCE_DIR}/cmake/ZokPch.cpp)
    set(headers ${core_headers})
    if(kind MATCHES "^Widgets")
      target_link_libraries(${pch} PRIVATE Qt6::Widgets)
      set(headers ${widget_headers})
    else()
      target_link_libraries(${pch} PRIVATE Qt6::Core)
    endif()
    if(kind MATCHES "Test$")
      target_link_libraries(${pch} PRIVATE GTest::gtest GTest::gmock)
      list(APPEND headers <gtest/gtest.h> <gmock/gmock.h>)
    endif()
    target_precompile_headers(${pch} PRIVATE ${headers})
  endforeach()

  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|MODULE_LIBRARY)$")
      continue()
    endif()
    zok_qt_use(${target} use)
    if(NOT use)
      continue()
    endif()
    get_target_property(libs ${target} LINK_LIBRARIES)
    if("GTest::gtest" IN_LIST libs AND TARGET zok_pch_${use}Test)
      string(APPEND use Test)
    endif()
    target_precompile_headers(${target} REUSE_FROM zok_pch_${use})
  endforeach()
endfunction()
