#pragma once
// The converter's two windows, created in their fixed order: the job list
// window first (it owns the skin, the job table and the timer the dialog's
// controls and the batch rely on), then the parameters dialog, which is
// attached to it.

#include <memory>
#include <string>

#include "app/encoder/EncoderChannel.h"

namespace tsm {

class TApplication;
class TFM_MAIN;

// programFolder: where Converter.ini, the encoder and the help live (the
// executable's folder in the program). channel: the dialog's way to the
// encoder; null for the real shells.
TFM_MAIN* CreateConverterWindows(TApplication& application, const std::string& programFolder,
                                 std::unique_ptr<IEncoderChannel> channel = nullptr);

}  // namespace tsm
