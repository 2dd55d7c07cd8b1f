// The main frame's wizard state: the step flags, the tree row last
// selected and the pages' information panes, as the pages, trees and panes
// read and write them.
#pragma once

class CFirstDisplay;
class CSecondDisplay;
class CView;

struct WizardFrameState {
  int SelectedTreeRow = -1;
  CView* StepTwoView = nullptr;
  CFirstDisplay* DriveInfoPane = nullptr;
  CSecondDisplay* ScanInfoPane = nullptr;
  int StepOneActive = 0;
  int StepTwoActive = 0;
  int StepThreeActive = 0;
  int StepFourActive = 0;
  int ScanIdle = 1;
  int StartPageActive = 0;
  int ScanModeChosen = 0;
};
