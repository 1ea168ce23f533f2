#pragma once
#include <QString>

namespace portiqa {

// The two elements of the status bar that reporting writes to: the status
// text panel and the progress bar (position 0..100 and visibility).
class IStatusDisplay {
public:
    virtual ~IStatusDisplay() = default;
    virtual void SetStatusText(const QString& text) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
};

// A display that only remembers, for the command line and for tests.
class TRecordingStatusDisplay : public IStatusDisplay {
public:
    void SetStatusText(const QString& text) override { text_ = text; ++textWrites_; }
    void SetProgressPosition(int position) override { position_ = position; }
    void SetProgressVisible(bool visible) override { visible_ = visible; }
    QString Text() const { return text_; }
    int Position() const { return position_; }
    bool Visible() const { return visible_; }
    long TextWrites() const { return textWrites_; }

private:
    QString text_;
    int position_ = 0;
    bool visible_ = true;
    long textWrites_ = 0;
};

} // namespace portiqa
