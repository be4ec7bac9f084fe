#pragma once
// TFM_MAIN: the job list window, the program's main window. A skinned
// frame around the job table's data grid (with its two scroll bars) and a
// bar of five buttons: 增加转换文件, 移去转换文件, 开始转换文件,
// 停止转换文件, 关闭. It owns the skin every window of the program wears,
// the job table, the message dialog and the 100 ms timer of the batch
// driver (BatchDriver.h), which does the starting, stopping and removing.
//
// Client area 785 x 419: the grid area fills everything above the
// 43-pixel button bar; the horizontal bar (with the corner box) along the
// grid area's bottom, the vertical bar along its right side.
//
// The parameters dialog (TFMConverter) is created after this window and
// attached with SetConverter; adding and editing jobs open it.
//
// The jobs not yet converted are saved on close to the state folder and
// loaded at creation (SavedJobs.h); a saved list that cannot be loaded is
// reported once, after the window is shown. Files dropped on the window
// (while adding is possible) become jobs or open the dialog
// (DroppedFiles.h). The grid's popup menu offers "查看日志": the kept log of
// the current job when its last run failed, opened with the desktop's
// program for it.

#include <memory>
#include <string>
#include <vector>

#include "framework/base/DataSet.h"
#include "framework/forms/CustomForm.h"

namespace tsm {

class TBatchDriver;
class TFMConverter;
class TPanel;
class TMenuItem;
class TTimer;
class TmtMemTable;
class TskCompressedStoredSkin;
class TskFormFrame;
class TskSkinButton;
class TskSkinData;
class TskSkinDBGrid;
class TskSkinMessage;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinScrollBar;

class TFM_MAIN : public TForm {
 public:
  // programFolder (ending in "/") holds Converter.ini, the encoder and the
  // help document: the executable's folder in the program.
  TFM_MAIN(TComponent* owner, std::string programFolder);
  ~TFM_MAIN() override;

  void SetConverter(TFMConverter* dialog);
  TFMConverter* Converter() const { return m_converter; }

  const std::string& ProgramFolder() const { return m_programFolder; }
  TskSkinData* SkinData() const { return m_skinData; }
  TmtMemTable& Jobs() const { return *m_jobs; }
  TskSkinMessage& Messages() const { return *m_messages; }
  TBatchDriver& Batch() const { return *m_batch; }
  TskFormFrame* Frame() const { return m_frame; }
  TskSkinDBGrid* Grid() const { return m_grid; }
  TskSkinButton* AddButton() const { return m_add; }
  TskSkinButton* RemoveButton() const { return m_remove; }
  TskSkinButton* StartButton() const { return m_start; }
  TskSkinButton* StopButton() const { return m_stop; }
  TskSkinButton* CloseButton() const { return m_close; }
  TTimer* Timer() const { return m_timer; }
  TskSkinPopupMenu* GridMenu() const { return m_gridMenu; }
  TMenuItem* LogItem() const { return m_logItem; }

  // The buttons' enabling for the table and the batch as they are now.
  void UpdateButtons();
  // Handlers, also called by tests.
  void AddJob();
  void EditCurrentJob();
  void DropFiles(const std::vector<std::string>& files);
  // The kept log of the current job's failed run; empty when there is none.
  std::string CurrentJobLog() const;
  void ShowCurrentJobLog();

 protected:
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;

 private:
  void BuildControls();
  void Created();
  void Shown();
  void Closed();
  void ShowLoadMessage();

  std::string m_programFolder;
  TskFormFrame* m_frame = nullptr;
  TskSkinData* m_skinData = nullptr;
  TskCompressedStoredSkin* m_storedSkin = nullptr;
  TskSkinMessage* m_messages = nullptr;
  std::unique_ptr<TmtMemTable> m_jobs;
  TDataSource m_source;
  std::unique_ptr<TBatchDriver> m_batch;
  TPanel* m_gridArea = nullptr;
  TskSkinDBGrid* m_grid = nullptr;
  TskSkinScrollBar* m_hbar = nullptr;
  TskSkinScrollBar* m_vbar = nullptr;
  TskSkinPanel* m_buttonBar = nullptr;
  TskSkinButton* m_add = nullptr;
  TskSkinButton* m_remove = nullptr;
  TskSkinButton* m_start = nullptr;
  TskSkinButton* m_stop = nullptr;
  TskSkinButton* m_close = nullptr;
  TTimer* m_timer = nullptr;
  TFMConverter* m_converter = nullptr;
  TskSkinPopupMenu* m_gridMenu = nullptr;
  TMenuItem* m_logItem = nullptr;
  std::string m_loadMessage;  // why the saved jobs could not be loaded
};

}  // namespace tsm
