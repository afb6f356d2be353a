// The main window: a narrow borderless strip that owns all of the program's state. Each
// subsystem folder defines the member operations and handlers that belong to it.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "model/button_watch.h"
#include "model/due_watch.h"
#include "model/key_edges.h"
#include "model/recording.h"
#include "model/sequence_item.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace tapwright {

class FormClick;

class Form1 : public ui::Form {
 public:
  // Builds every control at its design values; Form_Load then runs the start-up.
  Form1();
  // The start-up, before the window is first shown.
  void Form_Load();

  // ---- Title row.
  ui::Label LBTitulo;
  std::array<ui::Image, 2> ImTempo;    // (0) options panel button, (1) title-row indicator
  std::array<ui::Image, 2> ImSec;      // likewise
  std::array<ui::Image, 2> ImRepetir;  // likewise
  std::array<ui::Image, 2> ImSimular;  // likewise
  ui::Image ImOp;
  ui::Image ImInfo;
  ui::Image ImCerrar;
  ui::Shape Shape1;

  // ---- Status strip.
  ui::Frame FrControl;
  std::array<ui::Image, 3> ImMenu;  // recording, playing, stopped
  ui::Label LBInfo;
  ui::Label LBTempo;
  ui::Label LBMsg;

  // ---- Panels.
  ui::Frame FrInfo;
  ui::Frame frOptions;
  ui::Frame FrTempo;
  ui::Frame frSec;
  std::array<ui::Label, 4> LBTit;  // (0) options, (1) timer, (2) keyboard, (3) sequence
  std::array<ui::Line, 4> Line1;
  std::array<ui::Label, 8> LB;        // hotkey panel
  std::array<ui::Label, 5> LBOp;      // option captions; (4) record keyboard
  std::array<ui::Label, 8> LBTiempo;  // (4) and (5) do not exist in the design
  std::array<ui::Label, 6> LBHora;    // time fields: hours 0, 1, 4; minutes 2, 3, 5
  ui::Frame FrFinalizar;
  ui::Image ImTempoOnOff;
  ui::Image imAdd;
  ui::Image imDel;
  ui::ListBox Lista;
  ui::Frame frSecTime;
  ui::Image ImSecOnOff;
  std::array<ui::Image, 1> ImTeclado;  // the keyboard option
  ui::Image ImVelocidad;
  ui::Label LBVelocidad;
  ui::Label LBTeclas;  // hotkey panel: whether and which keys a recording takes

  // ---- Timers (intervals in ms).
  ui::Timer tmrKeys{100, true};
  ui::Timer TmrRaton{1, false};
  ui::Timer tmrPLAY{1, false};
  ui::Timer TmrCrono{1000, false};
  ui::Timer tmrInfo{1000, false};
  ui::Timer tmrSec{1000, false};
  ui::Timer tmrAuto{1000, false};
  ui::Timer tmrPulsador{100, false};

  // ---- Window variables.
  engine::Recording CurrentRecording;
  std::int32_t SampleCount = 0;
  bool IsRecording = false;
  std::int16_t ElapsedSeconds = 0;
  std::int16_t ElapsedMinutes = 0;
  bool SimulateClicks = false;
  bool RecordKeyboard = false;
  std::int16_t SpeedStep = 2;  // index into engine::kSpeeds: x1
  std::string StatusText;
  std::int16_t StatusTicks = 0;
  std::vector<sequence::SequenceItem> SequenceItems;
  bool SequenceOn = false;
  std::int32_t SequencePos = 0;
  std::int16_t StepIndex = 0;
  std::int16_t StepButton = 0;
  std::int16_t StepTicks = 0;
  bool ScheduleArmed = false;
  std::int32_t CollapsedHeight = 0;
  std::string LanguageName;

  // The click indicator while it exists (created on first use, destroyed when closed).
  struct CloseFormClick {
    void operator()(FormClick* f) const;
  };
  std::unique_ptr<FormClick, CloseFormClick> FormClick_;

  // ---- Operations and handlers, defined in the folder of their subsystem.
  // ui/
  void ApplyLanguage();
  void ImCerrar_Click();
  void LBTitulo_Click();
  void ClosePanels();
  void ImInfo_Click();
  void ImOp_Click();
  void ImSec_Click(int index);
  void ImTempo_Click(int index);
  // engine/
  void AddSample(std::int32_t x, std::int32_t y, std::int32_t code);
  void ToggleRecording();
  void TogglePlayback();
  void ShowStateIcon(std::int16_t index);
  void TmrRaton_Timer();
  void tmrPLAY_Timer();
  void TmrCrono_Timer();
  void ImRepetir_Click(int index);
  void ImSimular_Click(int index);
  void MoveClickIndicator();
  void ImTeclado_Click(int index);
  // A left press goes one step faster, a right press one slower.
  void Speed_MouseDown(int button);
  void ShowKeyboardOption();
  void ShowSpeed();
  // hotkeys/
  void tmrKeys_Timer();
  // files/
  // true when the file was loaded.
  bool LoadRecording(const std::string& name);
  void SaveRecording();
  void ShowStatus(const std::string& kind, const std::string& name);
  void tmrInfo_Timer();
  // A failed save ("s") or load, in light red, for as long as ShowStatus's texts.
  void ShowStatusFailed(const std::string& kind, const std::string& name);
  // sequence/
  void AddToSequence(const std::string& path);
  void imAdd_Click();
  void imDel_Click();
  void Lista_Click();
  void Lista_OLEDragDrop(const platform::DropEvent& e);
  void FrControl_OLEDragDrop(const platform::DropEvent& e);
  void ImSecOnOff_Click();
  void tmrSec_Timer();
  // schedule/
  void StepTimeField(std::int16_t index, std::int16_t button);
  void LBHora_MouseDown(int index, int button);
  void LBHora_MouseUp(int index);
  void tmrPulsador_Timer();
  void ToggleSchedule(bool closePanel);
  void tmrAuto_Timer();

 protected:
  void Form_Resize() override;
  // Keeps the window out of the pointer's way while recording or playing.
  void Form_MouseMove(int button, int shift, int x, int y) override;
  void OnCloseRequest() override { ImCerrar_Click(); }

 private:
  void BuildTitleRow();
  void BuildStatusStrip();
  void BuildHotkeyPanel();
  void BuildOptionsPanel();
  void BuildTimerPanel();
  void BuildSequencePanel();
  void ConnectHandlers();
  void TogglePanel(ui::Frame& panel, std::initializer_list<ui::Frame*> others);
  // To the primary monitor's top-left corner, where the window starts and rests while idle.
  void MoveHome();
  // Idle again: "Stop", the stopped icon, the chronometer halted, the window back home.
  void ShowIdle();
  void RestartChronometer();
  void ShowClickIndicator();
  void CloseClickIndicator();
  // The end of a recording, however it ends: the sampler stops, clicks are joined.
  void FinishRecording();
  // Milliseconds of the recording the playback has reached since it started or wrapped.
  std::int64_t PlayedMs() const;
  void PassOver(std::int32_t from, std::int32_t to);
  void ShowStatusLine(const std::string& text, ui::Color color);

  // Index of the sample played last; kept across a stop, so playback resumes where it stopped.
  std::int32_t PlayPosition = 0;
  // The recording's clock: samples are due one a millisecond from here.
  std::int64_t record_start_ = 0;
  platform::Point record_origin_;  // the cursor when the recording started
  engine::ButtonWatch buttons_;
  engine::KeyboardWatch keyboard_;
  // The playback's clock: sample play_base_ + (now - play_start_) x speed is due.
  std::int64_t play_start_ = 0;
  std::int32_t play_base_ = 0;
  double play_speed_ = 1.0;
  engine::Held replay_held_;  // buttons and keys the replay pressed and has not released
  // An entry the sequence player started is still playing.
  bool ItemPlaying = false;
  hotkeys::KeyEdges keys_;
  // The clock as the single timer and the sequence player read it, from their arming on.
  schedule::DueWatch ScheduleWatch;
  schedule::DueWatch SequenceWatch;
};

}  // namespace tapwright
