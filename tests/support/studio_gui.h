#pragma once
// A GUI test's user at one studio tab: the driver starts and ends with every
// record at its start values; these are the moves every scenario makes.
#include <gtest/gtest.h>

#include <initializer_list>

#include "model/project.h"
#include "support/gui_driver.h"

class StudioGui : public ::testing::Test {
 protected:
  void Open(const char* tab) {
    gui.Frame(2);
    gui.ClickItem(tab);
    gui.Frame(2);
  }
  // Clicks labelled items in turn (a menu path, a button and its popup's answer).
  void Choose(std::initializer_list<const char*> labels) {
    for (const char* label : labels) {
      gui.ClickItem(label);
      gui.Frame(2);
    }
  }
  ImVec2 At(float x, float y) const { return gui.At(x, y); }

  GuiDriver gui;
};
