#pragma once

#include "ParameterDialog.h"

#include <memory>

namespace kx {

struct SharedDocument;
class ZoomField;

/// "Zoom": the active document's zoom, 1..30000 sample values per pixel. OK refuses anything else
/// and stays open; with no active document the field is empty and OK ends with 0.
class ZoomDialog : public ParameterDialog {
public:
    explicit ZoomDialog(HWND frame);
    ~ZoomDialog() override;

    void accept() override;

private:
    HWND m_frame;
    std::shared_ptr<SharedDocument> m_document;
    ZoomField* m_field;
};

} // namespace kx
