#pragma once
// Forward declarations of the encoder back end (app/encoder).

namespace tsm {

struct TProfileList;
struct TConverterChoices;
class TConverterConfig;
struct TCommandInputs;
enum class TProgressKind;
struct TProgressReading;
enum class TScreenCursor;
class IEncoderRunnerHost;
class IEncoderChannel;
class TEncoderShell;
class TEncoderRunner;

}  // namespace tsm
