#include "platform/XMessageBox.hpp"

#include <algorithm>
#include <array>
#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace platform::detail {

std::vector<std::string> wrapText(std::string_view text, int maxWidth,
                                  const std::function<int(std::string_view)>& width)
{
    std::vector<std::string> lines;
    auto fits = [&](std::string_view s) { return maxWidth <= 0 || width(s) <= maxWidth; };
    bool emitted = false;  // the current paragraph has given a line already
    auto emit = [&](std::string line) {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(std::move(line));
        emitted = true;
    };

    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string paragraph;
        for (char c : text.substr(start, end - start)) {
            if (c == '\t')
                paragraph += ' ';
            else if (c != '\r')
                paragraph += c;
        }

        // Runs of spaces and runs of other characters, in turn.
        std::string line;
        std::size_t pos = 0;
        emitted = false;
        while (pos < paragraph.size()) {
            const bool spaces = paragraph[pos] == ' ';
            std::size_t runEnd = pos;
            while (runEnd < paragraph.size() && (paragraph[runEnd] == ' ') == spaces)
                ++runEnd;
            std::string_view run = std::string_view(paragraph).substr(pos, runEnd - pos);
            pos = runEnd;

            if (fits(line + std::string(run))) {
                line += run;
                continue;
            }
            if (spaces) {  // the break falls here; the spaces go with it
                emit(std::move(line));
                line.clear();
                continue;
            }
            if (!line.empty() && line.find_first_not_of(' ') != std::string::npos) {
                emit(std::move(line));
                line.clear();
            }
            while (!run.empty() && !fits(line + std::string(run))) {
                // Too long even for a line of its own: cut between characters.
                std::size_t take = 1;
                while (take < run.size() && fits(line + std::string(run.substr(0, take + 1))))
                    ++take;
                emit(line + std::string(run.substr(0, take)));
                line.clear();
                run.remove_prefix(take);
            }
            line += run;
        }
        if (!line.empty() || !emitted)
            emit(std::move(line));

        if (end >= text.size())
            break;
        start = end + 1;
    }
    return lines;
}

namespace {

// Xlib errors are fatal by default; a few requests here can fail harmlessly
// (focus on a window that just went away), so those run with errors ignored.

int ignoreXError(Display*, XErrorEvent*) { return 0; }

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : display_(display)
    {
        XSync(display_, False);
        previous_ = XSetErrorHandler(ignoreXError);
    }
    ~XErrorTrap()
    {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

private:
    Display* display_;
    XErrorHandler previous_ = nullptr;
};

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

constexpr std::array<const char*, 5> fontNames{
    "-misc-fixed-medium-r-normal--15-140-75-75-c-90-iso8859-1",
    "-misc-fixed-medium-r-normal--13-120-75-75-c-70-iso8859-1",
    "-misc-fixed-medium-r-*--13-*-*-*-*-*-iso8859-1",
    "9x15",
    "fixed",
};

constexpr int margin = 16;
constexpr int iconSize = 32;
constexpr int iconGap = 14;
constexpr int buttonGap = 10;
constexpr int minButtonWidth = 84;

struct Button {
    std::string label;
    MessageBoxResult result;
    int x = 0, y = 0, width = 0, height = 0;

    bool contains(int px, int py) const
    {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

std::string latin1ToUtf8(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class MessageBoxWindow {
public:
    MessageBoxWindow(Display* display, const std::string& text, const std::string& caption,
                     MessageBoxButtons buttons, MessageBoxIcon icon);
    ~MessageBoxWindow();
    MessageBoxWindow(const MessageBoxWindow&) = delete;
    MessageBoxWindow& operator=(const MessageBoxWindow&) = delete;

    MessageBoxResult run();

private:
    unsigned long colour(int r, int g, int b, unsigned long fallback);
    int textWidth(std::string_view s) const;
    void layout(const std::string& text);
    void createWindow(const std::string& caption);
    void draw();
    void drawIcon(int x, int y);
    void drawBevel(int x, int y, int w, int h, bool sunken);
    void drawButton(const Button& button, bool isDefault, bool pressed);
    void takeFocus();
    int buttonAt(int x, int y) const;

    Display* display_;
    int screen_;
    MessageBoxButtons kind_;
    MessageBoxIcon icon_;
    Window window_ = 0;
    Pixmap canvas_ = 0;
    GC gc_ = nullptr;
    XFontStruct* font_ = nullptr;       // loaded by name, or nullptr
    XFontStruct* fontInfo_ = nullptr;   // metrics of the GC's own font otherwise
    int ascent_ = 11, descent_ = 2;
    Atom wmProtocols_ = 0, wmDeleteWindow_ = 0;

    unsigned long face_ = 0, light_ = 0, highlight_ = 0, shadow_ = 0, darkShadow_ = 0;
    unsigned long textColour_ = 0, red_ = 0, blue_ = 0, white_ = 0;

    std::vector<std::string> lines_;
    std::vector<Button> buttons_;
    int width_ = 0, height_ = 0;
    int textX_ = 0, textY_ = 0, iconX_ = 0, iconY_ = 0, lineHeight_ = 0;

    Window previousFocus_ = 0;
    int previousRevert_ = RevertToParent;
    bool focused_ = false;
    int pressedButton_ = -1;  // mouse went down on this button
    bool pointerOnPressed_ = false;
};

MessageBoxWindow::MessageBoxWindow(Display* display, const std::string& text, const std::string& caption,
                                   MessageBoxButtons buttons, MessageBoxIcon icon)
    : display_(display), screen_(DefaultScreen(display)), kind_(buttons), icon_(icon)
{
    const unsigned long black = BlackPixel(display_, screen_);
    const unsigned long white = WhitePixel(display_, screen_);
    face_ = colour(212, 208, 200, white);
    light_ = colour(232, 230, 226, white);
    highlight_ = colour(255, 255, 255, white);
    shadow_ = colour(128, 128, 128, black);
    darkShadow_ = colour(64, 64, 64, black);
    textColour_ = colour(0, 0, 0, black);
    red_ = colour(200, 30, 30, black);
    blue_ = colour(30, 90, 200, black);
    white_ = highlight_;

    for (const char* name : fontNames) {
        font_ = XLoadQueryFont(display_, name);
        if (font_ != nullptr)
            break;
    }

    if (buttons == MessageBoxButtons::YesNo) {
        buttons_.push_back({"Yes", MessageBoxResult::Yes});
        buttons_.push_back({"No", MessageBoxResult::No});
    } else {
        buttons_.push_back({"OK", MessageBoxResult::Ok});
    }

    createWindow(caption);
    if (font_ == nullptr) {
        // The server's default font still draws; ask it for its metrics.
        fontInfo_ = XQueryFont(display_, XGContextFromGC(gc_));
    } else {
        XSetFont(display_, gc_, font_->fid);
    }
    const XFontStruct* metrics = font_ != nullptr ? font_ : fontInfo_;
    if (metrics != nullptr) {
        ascent_ = metrics->ascent;
        descent_ = metrics->descent;
    }
    layout(text);

    XResizeWindow(display_, window_, unsigned(width_), unsigned(height_));
    const int x = std::max(0, (DisplayWidth(display_, screen_) - width_) / 2);
    const int y = std::max(0, (DisplayHeight(display_, screen_) - height_) / 2);
    XMoveWindow(display_, window_, x, y);

    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = USPosition | PPosition | PMinSize | PMaxSize;
        hints->x = x;
        hints->y = y;
        hints->min_width = hints->max_width = width_;
        hints->min_height = hints->max_height = height_;
        XSetWMNormalHints(display_, window_, hints);
        XFree(hints);
    }

    canvas_ = XCreatePixmap(display_, window_, unsigned(width_), unsigned(height_),
                            unsigned(DefaultDepth(display_, screen_)));
}

MessageBoxWindow::~MessageBoxWindow()
{
    if (canvas_ != 0)
        XFreePixmap(display_, canvas_);
    if (font_ != nullptr)
        XFreeFont(display_, font_);
    if (fontInfo_ != nullptr)
        XFreeFontInfo(nullptr, fontInfo_, 1);
    if (gc_ != nullptr)
        XFreeGC(display_, gc_);
    if (window_ != 0)
        XDestroyWindow(display_, window_);
    // Give the keyboard back to whoever had it; with no window manager
    // nobody else would.
    if (previousFocus_ != 0) {
        XErrorTrap trap(display_);
        XSetInputFocus(display_, previousFocus_, previousRevert_, CurrentTime);
    }
    XSync(display_, False);
}

unsigned long MessageBoxWindow::colour(int r, int g, int b, unsigned long fallback)
{
    XColor c{};
    c.red = static_cast<unsigned short>(r * 257);
    c.green = static_cast<unsigned short>(g * 257);
    c.blue = static_cast<unsigned short>(b * 257);
    c.flags = DoRed | DoGreen | DoBlue;
    if (XAllocColor(display_, DefaultColormap(display_, screen_), &c) == 0)
        return fallback;
    return c.pixel;
}

int MessageBoxWindow::textWidth(std::string_view s) const
{
    XFontStruct* metrics = font_ != nullptr ? font_ : fontInfo_;
    if (metrics == nullptr)
        return int(s.size()) * 6;
    return XTextWidth(metrics, s.data(), int(s.size()));
}

void MessageBoxWindow::layout(const std::string& text)
{
    const int screenWidth = DisplayWidth(display_, screen_);
    const int screenHeight = DisplayHeight(display_, screen_);
    lineHeight_ = ascent_ + descent_ + 2;

    const int maxTextWidth = std::clamp(screenWidth - 2 * margin - iconSize - iconGap - 80, 120, 560);
    lines_ = wrapText(text, maxTextWidth, [this](std::string_view s) { return textWidth(s); });
    const std::size_t maxLines = std::size_t(std::max(1, (screenHeight - 200) / lineHeight_));
    if (lines_.size() > maxLines) {
        lines_.resize(maxLines);
        lines_.back() = "...";
    }

    int textWidthMax = 0;
    for (const std::string& line : lines_)
        textWidthMax = std::max(textWidthMax, textWidth(line));
    const int textHeight = int(lines_.size()) * lineHeight_;

    const bool hasIcon = icon_ == MessageBoxIcon::Error || icon_ == MessageBoxIcon::Question;
    const int iconArea = hasIcon ? iconSize + iconGap : 0;
    const int contentHeight = std::max(textHeight, hasIcon ? iconSize : 0);

    const int buttonHeight = std::max(26, ascent_ + descent_ + 14);
    int buttonWidth = minButtonWidth;
    for (const Button& b : buttons_)
        buttonWidth = std::max(buttonWidth, textWidth(b.label) + 24);
    const int buttonsWidth = int(buttons_.size()) * buttonWidth + int(buttons_.size() - 1) * buttonGap;

    width_ = std::max({margin * 2 + iconArea + textWidthMax + 8, margin * 2 + buttonsWidth, 260});
    height_ = margin + contentHeight + 20 + buttonHeight + 14;

    iconX_ = margin;
    iconY_ = margin;
    textX_ = margin + iconArea;
    textY_ = margin + (contentHeight - textHeight) / 2;

    int x = (width_ - buttonsWidth) / 2;
    const int y = height_ - 14 - buttonHeight;
    for (Button& b : buttons_) {
        b.x = x;
        b.y = y;
        b.width = buttonWidth;
        b.height = buttonHeight;
        x += buttonWidth + buttonGap;
    }
}

void MessageBoxWindow::createWindow(const std::string& caption)
{
    const Window root = RootWindow(display_, screen_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = face_;
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                            Button1MotionMask | StructureNotifyMask | FocusChangeMask;
    window_ = XCreateWindow(display_, root, 0, 0, 100, 100, 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    gc_ = XCreateGC(display_, window_, 0, nullptr);

    XStoreName(display_, window_, caption.c_str());
    XSetIconName(display_, window_, caption.c_str());
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    const std::string utf8Caption = latin1ToUtf8(caption);
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        XChangeProperty(display_, window_, XInternAtom(display_, name, False), utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8Caption.data()), int(utf8Caption.size()));
    }

    std::string resName = "kelvane-messagebox";
    std::string resClass = "Kelvane";
    XClassHint classHint{resName.data(), resClass.data()};
    XSetClassHint(display_, window_, &classHint);

    XWMHints wmHints{};
    wmHints.flags = InputHint | StateHint;
    wmHints.input = True;
    wmHints.initial_state = NormalState;
    XSetWMHints(display_, window_, &wmHints);

    // No owner window: transient for the root marks a stand-alone dialog.
    XSetTransientForHint(display_, window_, root);
    const Atom windowType = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialogType = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display_, window_, windowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialogType), 1);
    const Atom state = XInternAtom(display_, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(display_, window_, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&above), 1);

    wmProtocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    wmDeleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &wmDeleteWindow_, 1);
}

void MessageBoxWindow::drawBevel(int x, int y, int w, int h, bool sunken)
{
    const unsigned long outerTopLeft = sunken ? darkShadow_ : highlight_;
    const unsigned long outerBottomRight = sunken ? highlight_ : darkShadow_;
    const unsigned long innerTopLeft = sunken ? shadow_ : light_;
    const unsigned long innerBottomRight = sunken ? light_ : shadow_;
    auto frame = [&](int inset, unsigned long topLeft, unsigned long bottomRight) {
        const int left = x + inset, top = y + inset;
        const int right = x + w - 1 - inset, bottom = y + h - 1 - inset;
        XSetForeground(display_, gc_, topLeft);
        XDrawLine(display_, canvas_, gc_, left, top, right - 1, top);
        XDrawLine(display_, canvas_, gc_, left, top, left, bottom - 1);
        XSetForeground(display_, gc_, bottomRight);
        XDrawLine(display_, canvas_, gc_, left, bottom, right, bottom);
        XDrawLine(display_, canvas_, gc_, right, top, right, bottom);
    };
    frame(0, outerTopLeft, outerBottomRight);
    frame(1, innerTopLeft, innerBottomRight);
}

void MessageBoxWindow::drawButton(const Button& button, bool isDefault, bool pressed)
{
    int x = button.x, y = button.y, w = button.width, h = button.height;
    XSetForeground(display_, gc_, face_);
    XFillRectangle(display_, canvas_, gc_, x, y, unsigned(w), unsigned(h));
    if (isDefault) {
        XSetForeground(display_, gc_, textColour_);
        XDrawRectangle(display_, canvas_, gc_, x, y, unsigned(w - 1), unsigned(h - 1));
        ++x, ++y, w -= 2, h -= 2;
    }
    drawBevel(x, y, w, h, pressed);

    const int shift = pressed ? 1 : 0;
    const int labelWidth = textWidth(button.label);
    const int labelX = x + (w - labelWidth) / 2 + shift;
    const int labelY = y + (h - (ascent_ + descent_)) / 2 + ascent_ + shift;
    XSetForeground(display_, gc_, textColour_);
    XDrawString(display_, canvas_, gc_, labelX, labelY, button.label.data(), int(button.label.size()));

    if (isDefault) {
        // The dotted focus frame of the button Return answers.
        XGCValues values{};
        values.line_style = LineOnOffDash;
        values.dashes = 1;
        XChangeGC(display_, gc_, GCLineStyle | GCDashList, &values);
        XDrawRectangle(display_, canvas_, gc_, x + 4 + shift, y + 4 + shift, unsigned(w - 9), unsigned(h - 9));
        values.line_style = LineSolid;
        XChangeGC(display_, gc_, GCLineStyle, &values);
    }
}

void MessageBoxWindow::drawIcon(int x, int y)
{
    const bool error = icon_ == MessageBoxIcon::Error;
    XSetForeground(display_, gc_, error ? red_ : blue_);
    XFillArc(display_, canvas_, gc_, x, y, iconSize, iconSize, 0, 360 * 64);
    XSetForeground(display_, gc_, darkShadow_);
    XDrawArc(display_, canvas_, gc_, x, y, iconSize - 1, iconSize - 1, 0, 360 * 64);

    XSetForeground(display_, gc_, white_);
    if (error) {
        XSetLineAttributes(display_, gc_, 4, LineSolid, CapRound, JoinRound);
        XDrawLine(display_, canvas_, gc_, x + 10, y + 10, x + 21, y + 21);
        XDrawLine(display_, canvas_, gc_, x + 21, y + 10, x + 10, y + 21);
    } else {
        // A question mark: the hook, its stem and the dot.
        XSetLineAttributes(display_, gc_, 3, LineSolid, CapRound, JoinRound);
        XDrawArc(display_, canvas_, gc_, x + 10, y + 6, 12, 11, 160 * 64, -250 * 64);
        XDrawLine(display_, canvas_, gc_, x + 16, y + 17, x + 16, y + 20);
        XFillArc(display_, canvas_, gc_, x + 14, y + 23, 5, 5, 0, 360 * 64);
    }
    XSetLineAttributes(display_, gc_, 0, LineSolid, CapButt, JoinMiter);
}

void MessageBoxWindow::draw()
{
    XSetForeground(display_, gc_, face_);
    XFillRectangle(display_, canvas_, gc_, 0, 0, unsigned(width_), unsigned(height_));

    if (icon_ == MessageBoxIcon::Error || icon_ == MessageBoxIcon::Question)
        drawIcon(iconX_, iconY_);

    XSetForeground(display_, gc_, textColour_);
    int baseline = textY_ + ascent_ + 1;
    for (const std::string& line : lines_) {
        XDrawString(display_, canvas_, gc_, textX_, baseline, line.data(), int(line.size()));
        baseline += lineHeight_;
    }

    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool pressed = int(i) == pressedButton_ && pointerOnPressed_;
        drawButton(buttons_[i], i == 0, pressed);
    }

    XCopyArea(display_, canvas_, window_, gc_, 0, 0, unsigned(width_), unsigned(height_), 0, 0);
    XFlush(display_);
}

void MessageBoxWindow::takeFocus()
{
    // Without a window manager nobody hands out the keyboard, so take it.
    XRaiseWindow(display_, window_);
    XErrorTrap trap(display_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
}

int MessageBoxWindow::buttonAt(int x, int y) const
{
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].contains(x, y))
            return int(i);
    return -1;
}

MessageBoxResult MessageBoxWindow::run()
{
    const MessageBoxResult affirmative = buttons_.front().result;
    const MessageBoxResult negative = buttons_.back().result;

    XGetInputFocus(display_, &previousFocus_, &previousRevert_);
    if (previousFocus_ == window_)
        previousFocus_ = 0;
    XMapRaised(display_, window_);

    for (;;) {
        XEvent event{};
        XNextEvent(display_, &event);
        if (event.xany.window != window_)
            continue;
        switch (event.type) {
        case MapNotify:
            if (!focused_) {
                focused_ = true;
                takeFocus();
            }
            break;
        case Expose:
            if (event.xexpose.count == 0)
                draw();
            break;
        case KeyPress: {
            std::array<char, 16> buffer{};
            KeySym key = NoSymbol;
            XLookupString(&event.xkey, buffer.data(), int(buffer.size()), &key, nullptr);
            switch (key) {
            case XK_Return:
            case XK_KP_Enter:
            case XK_space:
                return affirmative;
            case XK_Escape:
                return negative;
            case XK_y:
            case XK_Y:
                if (kind_ == MessageBoxButtons::YesNo)
                    return MessageBoxResult::Yes;
                break;
            case XK_n:
            case XK_N:
                if (kind_ == MessageBoxButtons::YesNo)
                    return MessageBoxResult::No;
                break;
            case XK_o:
            case XK_O:
                if (kind_ == MessageBoxButtons::Ok)
                    return MessageBoxResult::Ok;
                break;
            default:
                break;
            }
            break;
        }
        case ButtonPress:
            if (event.xbutton.button == Button1) {
                pressedButton_ = buttonAt(event.xbutton.x, event.xbutton.y);
                pointerOnPressed_ = pressedButton_ >= 0;
                draw();
            }
            break;
        case MotionNotify:
            if (pressedButton_ >= 0) {
                const bool on = buttonAt(event.xmotion.x, event.xmotion.y) == pressedButton_;
                if (on != pointerOnPressed_) {
                    pointerOnPressed_ = on;
                    draw();
                }
            }
            break;
        case ButtonRelease:
            if (event.xbutton.button == Button1 && pressedButton_ >= 0) {
                const int pressed = pressedButton_;
                pressedButton_ = -1;
                pointerOnPressed_ = false;
                if (buttonAt(event.xbutton.x, event.xbutton.y) == pressed)
                    return buttons_[std::size_t(pressed)].result;
                draw();
            }
            break;
        case ClientMessage:
            if (event.xclient.message_type == wmProtocols_ &&
                Atom(event.xclient.data.l[0]) == wmDeleteWindow_)
                return negative;
            break;
        default:
            break;
        }
    }
}

} // namespace

std::optional<MessageBoxResult> showXMessageBox(const std::string& text, const std::string& caption,
                                                MessageBoxButtons buttons, MessageBoxIcon icon)
{
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display)
        return std::nullopt;
    MessageBoxWindow box(display.get(), text, caption, buttons, icon);
    return box.run();
}

} // namespace platform::detail
