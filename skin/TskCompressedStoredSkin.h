#pragma once
// TskCompressedStoredSkin: holds one skin as a zlib stream (the compressed
// skin container) and fills it from a definition file with its pictures or
// from a compressed skin file (".skn").
//
// .skn layout (integers 32-bit little-endian signed):
//   version  4   files with a version above 3 are refused
//   L        4   length of the zlib stream
//   stream   L   the zlib stream of a skin container
//
// A component owned by its window (the window description persists its
// CompressedData). At run time the stored skin is filled only from the window
// description (SetCompressedData); setting FileName or CompressedFileName then
// just stores the text. At design time (outside loading) the two setters keep
// only the file name part and build or import the skin from the full path.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/Component.h"

namespace tsm {

struct TskSkinContainer;

class TskCompressedStoredSkin : public TComponent {
 public:
  explicit TskCompressedStoredSkin(TComponent* owner);

  const std::string& FileName() const { return m_fileName; }
  // Designing and not loading: FileName becomes the file name part of name
  // and BuildFromDefinition(name) runs. Otherwise only stores name.
  void SetFileName(std::string_view name);
  const std::string& CompressedFileName() const { return m_compressedFileName; }
  // Designing and not loading: CompressedFileName becomes the file name part
  // of name and ImportCompressedFile(name) runs. Otherwise only stores name.
  void SetCompressedFileName(std::string_view name);
  const std::string& Description() const { return m_description; }
  void SetDescription(std::string_view text) { m_description = text; }

  // The persisted binary property CompressedData: the zlib stream as it is.
  const std::vector<uint8_t>& CompressedData() const { return m_data; }
  void SetCompressedData(std::vector<uint8_t> data) { m_data = std::move(data); }

  // True when the compressed data holds 0 bytes.
  bool IsEmpty() const { return m_data.empty(); }

  // Inflates all of the compressed data and appends it to stream. A corrupt
  // or truncated stream raises EDecompressionError "compression error".
  void DecompressTo(std::vector<uint8_t>& stream) const;

  // Replaces the compressed data by the container built from the definition
  // file at path and the pictures it names (relative to its folder).
  // A file without the five required sections leaves everything unchanged.
  // Otherwise the data is emptied first; a picture that cannot be read or is
  // not a valid bitmap, and an empty active picture, raise an error and leave
  // the data empty.
  void BuildFromDefinition(const std::string& path);

  // Replaces the compressed data by the zlib stream of the .skn file at path.
  // A version above 3 leaves the data empty; a length of 0 or beyond the end
  // of the file raises EReadError and leaves the data empty.
  void ImportCompressedFile(const std::string& path);

 private:
  std::string m_fileName;
  std::string m_compressedFileName;
  std::string m_description;
  std::vector<uint8_t> m_data;
};

// The uncompressed container of the definition file at path, or false when
// the file is not a skin definition. Errors as for BuildFromDefinition.
bool BuildSkinContainer(const std::string& path, TskSkinContainer& out);

// The zlib stream inside the bytes of a .skn file; empty when its version is
// above 3. Raises EReadError for a truncated header and for a length of 0 or
// beyond the end of the bytes.
std::vector<uint8_t> ReadCompressedSkinFile(std::span<const uint8_t> file);

// The bytes of a .skn file holding the stream (version 3).
std::vector<uint8_t> WriteCompressedSkinFile(std::span<const uint8_t> stream);

// The whole file; raises EInOutError "Cannot open file "%s"" when it cannot
// be read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace tsm
