// A program folder of the test's own, standing in for the folder of the executable, with every
// process-wide object of the program put back to its start.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "app/settings.h"
#include "app/ui/app_state.h"
#include "app/ui/window_state.h"
#include "comm/comm_state.h"
#include "comm/ui/record_state.h"
#include "docs/ui/lang.h"
#include "platform/port_names.h"
#include "platform/program_dir.h"
#include "sensors/ui/sensor_state.h"

namespace vorta::testing {

// Settings, ports/ and Tables/ live in it; it is removed at the end whatever happens.
class ProgramFolder {
 public:
  ProgramFolder() {
    std::string dir = (std::filesystem::temp_directory_path() / "vorta-program-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = dir;
    platform::SetProgramDir(dir_);
    platform::SetPortsDir("");
    ResetProcessState();
  }
  ~ProgramFolder() {
    platform::SetProgramDir("");
    platform::SetPortsDir("");
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::string& Dir() const { return dir_; }
  std::string IniPath() const { return dir_ + "/" + app::kSettingsFileName; }

  static void ResetProcessState() {
    comm::ResetComm();
    comm::DeviceRecord().Clear();
    app::WindowFlags().Clear();
    app::Param().Clear();
    app::Settings() = app::TSettings{};
    sensors::UserTable() = sensors::TUserTable{};
    sensors::SensorRangeTable() = sensors::TSensorRangeTable{};
    docs::LangList().BuildEnglish();
  }

 private:
  std::string dir_;
};

}  // namespace vorta::testing
