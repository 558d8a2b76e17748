#pragma once
// The main window's logic: start-up in both modes, the command handlers, the
// configured panel and file intake. It reaches its controls only through
// WindowControls; the platform makes the dialog, attaches the controls, calls
// OnInitDialog and routes messages here.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_rows.h"
#include "app/window_controls.h"
#include "app/window_hosts.h"
#include "app/window_seams.h"
#include "config/test_config.h"
#include "report/log.h"
#include "report/message_table.h"

namespace tessorin {

inline constexpr int kEscapeKey = 0x1B;  // virtual key codes
inline constexpr int kEnterKey = 0x0D;

struct PixelPoint {
    int32_t x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

class CBrevoxDownloadToolDlg final : public LogPane {
public:
    explicit CBrevoxDownloadToolDlg(WindowSeams seams);
    // Waits for a running download worker: it uses the window until its last step.
    ~CBrevoxDownloadToolDlg() override;
    CBrevoxDownloadToolDlg(const CBrevoxDownloadToolDlg&) = delete;
    CBrevoxDownloadToolDlg& operator=(const CBrevoxDownloadToolDlg&) = delete;

    // The platform's controls of this window, attached before OnInitDialog.
    void attachControls(WindowControls& controls);
    WindowControls& controls();

    // True: the window shows (interactive) or stays invisible and idle after
    // the station loop ended (command-line start).
    bool OnInitDialog();
    // A key-down message; true when it is consumed (Escape and Enter).
    bool preTranslateKeyDown(int virtualKey);
    // A command from a control; false when no handler takes the id.
    bool onCommand(int commandId);
    void OnDropFiles(const std::vector<std::string>& paths);
    // Where the minimised window paints its icon in the client area.
    static PixelPoint minimisedIconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);

    // Command handlers, each given its button's row (app/control_rows.h) and
    // reading the ids it sends from there.
    void OnBnClickedButtonDownload(const ControlRow&);
    void OnBnClickedButtonSelectRom(const ControlRow&);
    void OnBnClickedButtonSelectIni(const ControlRow&);
    // Every SELECT of an RF parameter: the row's parameter and combo box.
    void OnBnClickedParameterSelect(const ControlRow& row);
    void OnBnClickedButtonSetfrequency(const ControlRow& row);
    void OnBnClickedButtonFreqoffset(const ControlRow& row);
    void OnBnClickedButtonPower(const ControlRow& row);
    void OnClickDynamicButton(int commandId);

    // Callable from any thread; the controls carry the append out on the window's thread.
    void appendLogPane(std::string_view text) override;

    // The configured panel.
    void loadIniAndRebuildPanel(const std::string& path);
    void fillCombo(const ComboDef& definition, int comboId);
    void setCaptionSuffix(std::string_view text);
    void enableRfRows(const std::vector<bool>& flags);
    void destroyConfiguredControls();
    void buildConfiguredControls(const ExtControlList& records);

    download::DownloadHost& downloadHost() { return downloadHost_; }
    RfHost& rfHost() { return rfHost_; }
    const WindowSeams& seams() const { return seams_; }

    // Run-time state, all owned by the window.
    std::string iniPath;
    std::string romPath;
    std::string commandText;
    LogDestination logDestination;
    std::unique_ptr<TestConfig> configuration;
    std::string scratchText;
    std::atomic<bool> downloadBusy{false};
    std::vector<RfRow> rfRows;
    PixelPoint panelOrigin;
    ExtControlList configuredControls;
    std::string programPath;
    std::string programDir;
    const MessageTable* messages;

private:
    bool startInteractive();
    bool startFromCommandLine(const download::StationJob& job);

    WindowSeams seams_;
    WindowControls* controls_ = nullptr;
    WindowDownloadHost downloadHost_{*this};
    WindowRfHost rfHost_{*this};
};

}  // namespace tessorin
