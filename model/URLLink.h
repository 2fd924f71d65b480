#pragma once

#include <QString>

// One hyperlink of a text box, table cell or picture: the linked text and its place, and where it leads (a
// screen by number, or an address or script), optionally in a popup. In rich text its visible text stands
// between the hidden markers "[%04d#" and "#%04d]" of its number.
class CURLLink
{
public:
    CURLLink() = default;
    CURLLink(const QString &text, int number, int position, int screenLink, int targetScreen,
             const QString &address, int popup, int script, int fullSize, int popupHeight, int popupWidth);

    void Set(const QString &text, int number, int position, int screenLink, int targetScreen,
             const QString &address, int popup, int script, int fullSize, int popupHeight, int popupWidth);

    const QString &GetText() const { return m_text; }
    void SetText(const QString &text) { m_text = text; }
    int GetNumber() const { return m_number; }
    void SetNumber(int number) { m_number = number; }
    int GetPosition() const { return m_position; }
    void SetPosition(int position) { m_position = position; }
    int IsScreenLink() const { return m_screenLink; }
    void SetScreenLink(int screenLink) { m_screenLink = screenLink; }
    int GetTargetScreen() const { return m_targetScreen; }
    void SetTargetScreen(int id) { m_targetScreen = id; }
    const QString &GetUrl() const { return m_address; }
    void SetUrl(const QString &address) { m_address = address; }
    int GetPopup() const { return m_popup; }
    void SetPopup(int popup) { m_popup = popup; }
    int IsScript() const { return m_script; }
    void SetScript(int script) { m_script = script; }
    int GetFullSize() const { return m_fullSize; }
    void SetFullSize(int fullSize) { m_fullSize = fullSize; }
    // A full-size popup covers the whole 1008 x 560 screen whatever size is stored.
    int GetPopupHeight() const { return m_fullSize ? kFullHeight : m_popupHeight; }
    int GetPopupWidth() const { return m_fullSize ? kFullWidth : m_popupWidth; }
    int GetStoredPopupHeight() const { return m_popupHeight; }
    int GetStoredPopupWidth() const { return m_popupWidth; }
    void SetPopupSize(int height, int width)
    {
        m_popupHeight = height;
        m_popupWidth = width;
    }

    // The hidden markers around the link's text.
    static QString OpeningMarker(int number);
    static QString ClosingMarker(int number);

    friend bool operator==(const CURLLink &, const CURLLink &) = default;

    static constexpr int kFullHeight = 560;
    static constexpr int kFullWidth = 1008;

private:
    QString m_text;
    int m_number = -1;
    int m_position = -1;
    int m_screenLink = 1;
    int m_targetScreen = -1;
    QString m_address;
    int m_popup = 0;
    int m_script = 0;
    int m_fullSize = 0;
    int m_popupHeight = 100;
    int m_popupWidth = 250;
};
