// The application object: forms the settings file's path beside the program and runs the
// main window, the program's only top-level window; when it closes the program ends.
#pragma once

#include <memory>
#include <string>

#include <wx/app.h>

#include "platform/SettingsFile.h"

namespace zintor {

class CReportApp : public wxApp {
  public:
    bool OnInit() override;
    int OnRun() override;

    // A report log the window opens on ("zintor --show LOG"), set before the toolkit starts.
    static std::string logToShow;

  private:
    std::unique_ptr<SettingsFile> settings_;
    int exitCode_ = 0;
};

}  // namespace zintor
