#pragma once

#include "controls/DropTarget.h"
#include "persistence/LayoutSurface.h"

#include <QScrollArea>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TContainerClient;
class TRSObjectInspector;

// The design surface: a scroll box whose inner client widget holds the
// top-level designed controls. Drops on the client go to the surface's drop
// handlers; a click on empty surface raises OnClick.
class TLXControlsContainer : public QScrollArea, public TDropTarget, public TLayoutSurface
{
public:
    TLXControlsContainer(QWidget *owner, TRSObjectInspector *inspector);
    ~TLXControlsContainer() override;

    // The inspector the user sees, hidden while a layout is opened; may be
    // none (the command-line exporter).
    TRSObjectInspector *Inspector() const { return FInspector; }
    // Writes and reads layouts with category paths, as the user's inspector
    // shows them when "Categorize properties" is on.
    void SetCategorized(bool value);
    QWidget *TargetWidget() override { return this; }
    QWidget *SurfaceWidget() override { return this; }
    // The widget that holds the top-level designed controls; while a layout
    // is being opened, the new client that receives the opened controls.
    QWidget *ClientWidget() override;

    // The designed controls on the surface, in stacking order.
    QList<QWidget *> Controls();

    // Writes the native layout file.
    virtual void SaveLayout(const QString &fileName);
    // Writes the design as a web page (see HtmlExportTarget for where).
    virtual void ExportHtml(const QString &fileName);
    virtual void ExportFO(const QString &fileName);
    // Replaces the design with the layout of the file; the inspector is
    // hidden meanwhile and shown again even when the load fails.
    virtual void LoadLayout(const QString &fileName);
    // What the last opened layout held that this designer does not
    // understand and keeps as it is (see TXmlPersistance::KeptNotes), as a
    // notice for the user; empty when there was nothing of the kind.
    QString KeptNotice() const;

    // The name a page is written under: fileName, with ".htm" added when it
    // has no suffix, so that a browser shows it as a page.
    static QString PageFileName(const QString &fileName);
    // The page inside the export folder: "dir/page.htm" and "dir/page"
    // give "dir/page.htm/page.htm".
    static QString HtmlExportPath(const QString &name);
    // Where an export to a name writes its page, checked under the name
    // PageFileName makes of it: that file itself when it is an exported
    // page beside an "images" folder, else the page inside a folder of that
    // name holding an "images" folder (made here). Anything else of that
    // name (a user's file, a folder of other files, a device) is refused,
    // never replaced.
    static QString HtmlExportTarget(const QString &name);

    // Replacing the design when a layout is opened (see TLayoutSurface).
    void BeginReplace() override;
    void CommitReplace() override;
    void CancelReplace() override;

    std::function<void()> OnClick;

private:
    TRSObjectInspector *FInspector;
    // Walks the controls for saving, opening and exports.
    std::unique_ptr<TRSObjectInspector> FLayoutInspector;
    TContainerClient *FPendingClient = nullptr;
    std::vector<std::string> FKeptNotes;
};
