#include "app/main/ConverterWindows.h"

#include "app/converter/TFMConverter.h"
#include "app/main/TFM_MAIN.h"
#include "framework/forms/Application.h"

namespace tsm {

TFM_MAIN* CreateConverterWindows(TApplication& application, const std::string& programFolder,
                                 std::unique_ptr<IEncoderChannel> channel) {
  auto* main = application.CreateForm<TFM_MAIN>(programFolder);
  auto* dialog = application.CreateForm<TFMConverter>(*main, std::move(channel));
  main->SetConverter(dialog);
  return main;
}

}  // namespace tsm
