#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class TRSItemListView;

// The modal editor of a string-list property. The same lines are shown as
// plain text ("Memo") and as a name/value grid ("INI"), one row per
// name=value line; the lines the user last saw are the result.
class TfrmRSStringsEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmRSStringsEditor(QWidget *parent = nullptr);
    ~TfrmRSStringsEditor() override;

    // The memo's lines; a final line break adds no line. Raises when the
    // memo holds characters the code page cannot store.
    std::vector<std::string> Lines() const;
    // Fills the memo and the grid.
    void SetLines(const std::vector<std::string> &lines);
    void SetMemoViewVisible(bool value);
    void SetIniViewVisible(bool value);
    bool MemoViewVisible() const { return FMemoViewVisible; }
    bool IniViewVisible() const { return FIniViewVisible; }

    // "Load..." and "Save...": replace the memo's lines by a file's content,
    // or write them to a file (one line per CR LF). File errors are raised.
    void Load1Click();
    void Save1Click();
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    // The file choosers; an empty answer means cancelled. They run the
    // standard file dialogs unless replaced.
    std::function<QString()> OnChooseLoadFile;
    std::function<QString(const QString &suggested)> OnChooseSaveFile;

    QLabel *lblLineCount = nullptr;
    QTabWidget *pcViews = nullptr;
    QWidget *tsMemo = nullptr;
    QWidget *tsINI = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    TRSItemListView *IniEditor = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnHelp = nullptr;
    QMenu *StringEditorMenu = nullptr;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void UpdateViews();
    void UpdateTabs();
    void UpdateLineCount();
    void pcViewsChange(int index);
    std::vector<std::string> GridLines() const;
    void SetGridLines(const std::vector<std::string> &lines);
    void SetMemoLines(const std::vector<std::string> &lines);
    void RunMenuCommand(void (TfrmRSStringsEditor::*command)());
    QString RunLoadDialog();
    QString RunSaveDialog(const QString &suggested);

    bool FMemoViewVisible = true;
    bool FIniViewVisible = true;
    bool FUpdatingViews = false;
    QWidget *FFocusOnShow = nullptr;
    QString FLoadFileName;
};
