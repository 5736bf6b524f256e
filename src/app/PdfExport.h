#pragma once

class QString;
class TLXControlsContainer;

// Writes the design as a PDF document: its web page, rendered by the browser
// engine onto Letter pages, so that the document shows the form as the
// "Html" tab does. The page and its pictures go to a temporary folder that
// is removed afterwards; the document replaces the file only once it is
// complete. Raises an error with a message when the page cannot be rendered
// or the file cannot be written.
void ExportPdf(TLXControlsContainer &container, const QString &fileName);
