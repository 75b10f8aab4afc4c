#pragma once

class QWidget;

// The business windows can be minimised but not maximised: takes the maximise button off
// the frame the main window gave the child window.
void RemoveMaximizeButton(QWidget *childWindow);
