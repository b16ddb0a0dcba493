#include "audio/AudioPanel.hpp"

#include "audio/Audio.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Layers.hpp"
#include "engine/Text.hpp"
#include "engine/TimeSource.hpp"
#include "gui/BevelPanel.hpp"
#include "gui/Button.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/FileSelector.hpp"
#include "gui/Form.hpp"
#include "gui/GroupBox.hpp"
#include "gui/Label.hpp"
#include "gui/Scrollbar.hpp"
#include "platform/Clock.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace Audio {
namespace {

const sf::Vector2f panelSize(630.f, 470.f);
constexpr float sliderWidth = 590.f;
constexpr float sliderHeight = 24.f;
constexpr float musicGroupHeight = 260.f;
constexpr float displayWidth = 590.f;
constexpr unsigned displayTextSize = 24;
constexpr float displayPadding = 6.f;
constexpr float displayTextLeft = 10.f;
constexpr float transportGap = 10.f;
// "Load Music File" stands apart from the player's own buttons.
constexpr float loadGap = 40.f;
constexpr float bottomButtonWidth = 150.f;
constexpr float bottomButtonHeight = 42.f;
constexpr float bottomMargin = 14.f;
constexpr double testSoundInterval = 0.5;
const sf::Time skipStep = sf::seconds(5.f);

const sf::Color displayFill(0, 8, 0, 255);
const sf::Color displayLight(0, 20, 0, 255);
const sf::Color displayDark(0, 64, 0, 255);
const sf::Color displayText(0, 255, 0, 255);

const char* const noMusicText = "No music loaded, click \"Load Music File\" or press F3";
const char* const defaultsQuestion = "Are you sure that you want to set default sound and music volume levels?";

// Created by buildAudioPanel (from Audio::init) and emptied by
// resetAudioPanel (from Audio::shutdown).  The widgets are placed on the
// first pass and again whenever the view changes size, so the panel stays
// centred after a change of display mode.
struct PanelState {
    bool built = false;
    sf::Vector2f laidOutFor;

    kv::Form form;
    kv::GroupBox soundGroup, musicGroup;
    kv::Scrollbar soundSlider, musicSlider;
    kv::Button play, skipBackward, skipForward, pause, stop, load, defaults, done;

    // What the sliders move; copied from and back to the settings each pass.
    std::int32_t soundVolumeCopy = 0;
    std::int32_t musicVolumeCopy = 0;
    // When the volume test sound last started; none yet means it may now.
    std::optional<double> lastTestSound;

    sf::Vector2f displayPosition;
    float displayHeight = 0.f;
    std::unique_ptr<sf::RenderTexture> display;
    kv::BevelPanel displayPanel;
    kv::Label timeLabel, statusLabel;
};
PanelState panel;

std::string twoDigits(long long n) { return n < 10 ? "0" + std::to_string(n) : std::to_string(n); }

// Whole minutes and seconds, the seconds cut, never below 0:00.
std::string clockText(sf::Time offset)
{
    const auto seconds = static_cast<long long>(std::max(offset.asSeconds(), 0.f));
    return std::to_string(seconds / 60) + ":" + twoDigits(seconds % 60);
}

void layOut(PanelState& p)
{
    const sf::Vector2f at = kv::centredInView(panelSize);
    p.laidOutFor = KVCore::viewSize();

    p.form.create("Audio Panel", at, panelSize);
    p.soundGroup.create("Sound Effects", at + sf::Vector2f(0.f, 30.f), {panelSize.x, 120.f});
    p.soundSlider.create("Sound Volume", at + sf::Vector2f(20.f, 70.f), {sliderWidth, sliderHeight}, 100, false, 0.f,
                         &p.soundVolumeCopy);
    p.soundSlider.colourByValue = true;
    p.musicGroup.create("Music", at + sf::Vector2f(0.f, 140.f), {panelSize.x, musicGroupHeight});
    p.musicSlider.create("Music Volume", at + sf::Vector2f(20.f, 180.f), {sliderWidth, sliderHeight}, 100, false, 0.f,
                         &p.musicVolumeCopy);
    p.musicSlider.colourByValue = true;

    // Two lines of text in the medium font, with a little room round them.
    const float lineSpacing = Text::loaded() ? Text::mediumFont().getLineSpacing(displayTextSize) : 28.f;
    p.displayHeight = std::ceil(2.f * lineSpacing + 2.f * displayPadding);
    p.displayPosition = at + sf::Vector2f(20.f, 240.f);
    const auto textureHeight = static_cast<unsigned>(p.displayHeight);
    if (!p.display || p.display->getSize().y != textureHeight) {
        p.display = std::make_unique<sf::RenderTexture>();
        if (!p.display->create(static_cast<unsigned>(displayWidth), textureHeight))
            p.display.reset();
    }
    // The bevel lies inside the texture: its far edges on the last pixels.
    p.displayPanel.create({0.f, 0.f}, {displayWidth - 1.f, p.displayHeight - 1.f}, displayLight, displayDark,
                          displayFill);
    const sf::Font* font = Text::loaded() ? &Text::mediumFont() : nullptr;
    p.timeLabel.create({displayTextLeft, displayPadding}, displayText, "", font, displayTextSize);
    p.statusLabel.create({displayTextLeft, displayPadding + lineSpacing}, displayText, "", font, displayTextSize);

    // The player's buttons in the order one reads them, centred under the
    // display; the update order stays the one the panel acts in.
    kv::Button* const row[] = {&p.skipBackward, &p.play, &p.pause, &p.stop, &p.skipForward, &p.load};
    p.play.create("Play/Restart", 110, {}, sf::Keyboard::Space);
    p.skipBackward.create("Skip Backward", 121, {}, sf::Keyboard::Left);
    p.skipForward.create("Skip Forward", 95, {}, sf::Keyboard::Right);
    p.pause.create("Pause/Resume", 108, {}, sf::Keyboard::P);
    p.stop.create("Stop", 149, {}, sf::Keyboard::S);
    p.load.create("Load Music File", 72, {}, sf::Keyboard::F3);
    float rowWidth = loadGap - transportGap;
    for (const kv::Button* b : row)
        rowWidth += b->getWidth() + transportGap;
    rowWidth -= transportGap;
    // Halfway between the display and the foot of the "Music" frame.
    const float musicFoot = at.y + 140.f + musicGroupHeight - kv::standardLineSpacing18() * 0.5f;
    const float rowTop = std::floor((p.displayPosition.y + p.displayHeight + musicFoot - row[0]->getHeight()) * 0.5f);
    float x = std::floor(at.x + (panelSize.x - rowWidth) * 0.5f);
    for (kv::Button* b : row) {
        if (b == &p.load)
            x += loadGap - transportGap;
        b->setPosition({x, rowTop});
        x += b->getWidth() + transportGap;
    }

    const float bottomTop = at.y + panelSize.y - bottomMargin - bottomButtonHeight;
    p.defaults.create("Defaults", 128, {at.x + 20.f, bottomTop}, sf::Keyboard::D);
    p.defaults.setTextButton(bottomButtonWidth, bottomButtonHeight);
    p.done.create("Done", 175, {at.x + panelSize.x - 20.f - bottomButtonWidth, bottomTop}, sf::Keyboard::Return);
    p.done.setTextButton(bottomButtonWidth, bottomButtonHeight);
}

void show(kv::Component& widget)
{
    widget.update();
    widget.draw();
}

bool clicked(kv::Button& button)
{
    show(button);
    return button.clicked;
}

// The slider moves a copy of the setting, so the setting itself stays the
// one place the volume lives.
void showVolumeSlider(kv::Scrollbar& slider, std::int32_t& copy, int& setting)
{
    copy = setting;
    show(slider);
    setting = copy;
}

// The time, name and state are drawn into the display's own texture, which
// cuts off a name too long for it, and the texture is then shown in place.
void showDisplay(PanelState& p)
{
    p.timeLabel.setText(audioPanelTimeLine());
    p.statusLabel.setText(audioPanelStatusLine(platform::tickCountMs()));
    if (!p.display)
        return;
    sf::RenderTexture& texture = *p.display;
    texture.clear(displayFill);
    sf::RenderTarget* const layer = KVCore::layerTarget(KVCore::GuiLayer);
    sf::RenderTarget* const before = kv::guiTarget();
    kv::setGuiTarget(&texture);
    p.displayPanel.draw();
    p.timeLabel.draw();
    p.statusLabel.draw();
    kv::setGuiTarget(before == layer ? nullptr : before);
    texture.display();

    if (sf::RenderTarget* target = kv::guiTarget()) {
        sf::Sprite picture(texture.getTexture());
        picture.setPosition(p.displayPosition);
        target->draw(picture);
    }
}

void playTestSoundIfMoved(PanelState& p, int soundVolumeBefore)
{
    if (KVCore::settings().soundVolume == soundVolumeBefore)
        return;
    const double now = KVCore::timeSource().seconds();
    if (p.lastTestSound && now - *p.lastTestSound < testSoundInterval)
        return;
    p.lastTestSound = now;
    playSound(volumeTestSampleId(), listenerPosition(), false, "", -1.f);
}

} // namespace

void buildAudioPanel()
{
    panel = PanelState{};
    panel.built = true;
}

void resetAudioPanel() { panel = PanelState{}; }

std::string audioPanelTimeLine()
{
    const std::string time = musicStatus() == sf::SoundSource::Playing ? clockText(musicPlayingOffset()) : "-:--";
    return time + " " + currentMusicName();
}

std::string audioPanelStatusLine(std::uint64_t tickCountMs)
{
    switch (musicStatus()) {
    case sf::SoundSource::Playing: return "Playing";
    // Shown for the second half of every second.
    case sf::SoundSource::Paused: return (tickCountMs / 10) % 100 >= 50 ? "Paused" : "";
    default: return noMusicText;
    }
}

bool updateAudioPanel()
{
    if (!panel.built)  // built only while the audio module is initialised
        return false;
    PanelState& p = panel;
    if (p.laidOutFor != KVCore::viewSize())
        layOut(p);
    KVCore::EngineSettings& settings = KVCore::settings();
    const int soundVolumeBefore = settings.soundVolume;

    show(p.form);
    show(p.soundGroup);
    show(p.musicGroup);

    if (clicked(p.play))
        restartMusic();
    if (clicked(p.skipBackward))
        setMusicPlayingOffset(std::max(musicPlayingOffset() - skipStep, sf::Time::Zero));
    if (clicked(p.skipForward))
        setMusicPlayingOffset(musicPlayingOffset() + skipStep);
    if (clicked(p.pause))
        pauseResumeMusic();
    if (clicked(p.stop))
        stopMusic();
    // The file selector opens once the whole panel is drawn, so the picture
    // it dims behind itself shows all of it.
    const bool loadAsked = clicked(p.load);

    showVolumeSlider(p.soundSlider, p.soundVolumeCopy, settings.soundVolume);
    showVolumeSlider(p.musicSlider, p.musicVolumeCopy, settings.musicVolume);
    showDisplay(p);

    const bool done = clicked(p.done);
    if (clicked(p.defaults) && kv::confirm(defaultsQuestion)) {
        settings.globalVolume = 100;
        settings.soundVolume = 70;
        settings.musicVolume = 25;
    }
    playTestSoundIfMoved(p, soundVolumeBefore);

    if (loadAsked)
        loadMusicFile();
    return done;
}

void runAudioPanel()
{
    // Nothing would be shown, so nothing could end the loop.
    if (!initialised())
        return;
    kv::ModalLoop loop("Audio Panel");
    kv::waitOutOpeningKeys();
    while (loop.beginPass()) {
        if (updateAudioPanel())
            loop.finish();
        loop.endPass();
    }
}

void prepareMusicFileSelector(kv::FileSelector& selector)
{
    selector.setPath(KVCore::settings().musicLoadPath);
    for (const char* extension : {"wav", "ogg", "it", "mod", "s3m", "xm"})
        selector.addExtension(extension);
}

bool loadMusicFile()
{
    kv::FileSelector selector;
    selector.create();
    prepareMusicFileSelector(selector);
    if (!selector.run())
        return false;
    return playMusic(selector.getPath());
}

} // namespace Audio
