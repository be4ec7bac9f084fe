# The window-system part of the framework: graphics objects over platform/gfx,
# the control tree, forms, the application and screen objects.
tm_library(tm_framework
  SOURCES
    graphics/Font.cpp graphics/Canvas.cpp graphics/Bitmap.cpp graphics/Icon.cpp graphics/ImageList.cpp
    controls/Control.cpp controls/WinControl.cpp controls/ControlCanvas.cpp
    controls/GraphicControl.cpp controls/CustomControl.cpp
    controls/Label.cpp controls/Panel.cpp controls/Button.cpp controls/Edit.cpp
    controls/HintWindow.cpp controls/Timer.cpp controls/ShortCut.cpp controls/MenuItem.cpp controls/PopupMenu.cpp controls/Action.cpp controls/ActionList.cpp
    forms/CustomForm.cpp forms/Application.cpp forms/ApplicationHints.cpp forms/Screen.cpp forms/MessageBox.cpp
    scripting/WindowTree.cpp scripting/Script.cpp scripting/ScriptRunner.cpp
  DEPS tm_window tm_gfx tm_base)

tm_test(tm_framework_test
  SOURCES
    tests/FrameworkTestSupport.cpp
    graphics/Graphics_test.cpp graphics/ImageList_test.cpp
    controls/Control_test.cpp controls/Layout_test.cpp controls/Edit_test.cpp controls/Focus_test.cpp
    controls/Menu_test.cpp controls/ScrollRequest_test.cpp
    forms/Form_test.cpp forms/Application_test.cpp forms/Hints_test.cpp
    scripting/WindowTree_test.cpp scripting/Script_test.cpp scripting/ScriptRunner_test.cpp
  DEPS tm_framework)
add_dependencies(tm_framework_test tm_assets)
