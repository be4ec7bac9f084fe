#include "app/encoder/JobOutcome.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tsm {

namespace {

std::string Seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", s);
  return text;
}

}  // namespace

TJobOutcome JudgeJob(const TJobFacts& facts) {
  TJobOutcome o;
  o.exitStatus = facts.exitStatus;
  o.outputBytes = facts.outputBytes;
  o.outputSeconds = facts.outputSeconds;
  o.expectedSeconds = facts.expectedSeconds;
  auto fail = [&](TJobFailure f) {
    o.failure = f;
    return o;
  };
  if (facts.unsupported) return fail(TJobFailure::Unsupported);
  if (facts.exitStatus > 0) return fail(TJobFailure::ExitStatus);
  if (!facts.summary) return fail(TJobFailure::NoSummary);
  if (!facts.verifyOutput) return o;
  if (facts.outputBytes < 0) return fail(TJobFailure::NoOutput);
  if (facts.outputBytes == 0) return fail(TJobFailure::EmptyOutput);
  if (facts.outputSeconds < 0) return fail(TJobFailure::UnreadableOutput);
  if (facts.expectedSeconds >= 0 ? std::fabs(facts.outputSeconds - facts.expectedSeconds) > kLengthTolerance
                                 : facts.outputSeconds <= 0)
    return fail(TJobFailure::WrongLength);
  return o;
}

double ExpectedSeconds(bool rangeForm, double rangeStartSeconds, double rangeSeconds, double sourceSeconds) {
  if (!rangeForm) return sourceSeconds > 0 ? sourceSeconds : -1;
  if (sourceSeconds <= 0) return rangeSeconds;
  return std::clamp(sourceSeconds - rangeStartSeconds, 0.0, rangeSeconds);
}

std::string DescribeOutcome(const TJobOutcome& o, bool zh) {
  switch (o.failure) {
    case TJobFailure::None:
      return zh ? "已完成" : "done";
    case TJobFailure::NotSent:
      return zh ? "命令行无法交给命令解释器" : "the command shell did not take the command line";
    case TJobFailure::Unsupported:
      return zh ? "不支持的源文件格式" : "unsupported source file format";
    case TJobFailure::NoSummary:
      return zh ? "编码器没有输出结束摘要就退出了" : "the encoder ended without its end summary";
    case TJobFailure::ExitStatus:
      if (o.exitStatus > 128)
        return zh ? "编码器被信号 " + std::to_string(o.exitStatus - 128) + " 终止"
                  : "the encoder was ended by signal " + std::to_string(o.exitStatus - 128);
      return zh ? "编码器的退出状态为 " + std::to_string(o.exitStatus)
                : "the encoder exited with status " + std::to_string(o.exitStatus);
    case TJobFailure::NoOutput:
      return zh ? "没有生成目标文件" : "no output file was written";
    case TJobFailure::EmptyOutput:
      return zh ? "目标文件是空的" : "the output file is empty";
    case TJobFailure::UnreadableOutput:
      return zh ? "目标文件无法读取" : "the output file cannot be read";
    case TJobFailure::WrongLength:
      if (o.expectedSeconds < 0)
        return zh ? "目标文件没有可播放的内容" : "the output file plays for no time";
      return zh ? "目标文件时长 " + Seconds(o.outputSeconds) + " 秒, 应为 " + Seconds(o.expectedSeconds) + " 秒"
                : "the output plays " + Seconds(o.outputSeconds) + " s instead of " + Seconds(o.expectedSeconds) + " s";
    case TJobFailure::Stopped:
      return zh ? "已停止" : "stopped";
  }
  return std::string();
}

}  // namespace tsm
