#include "pet/Pet.h"

#include "growth/BodyState.h"
#include "growth/Food.h"
#include "growth/Game.h"
#include "growth/StateFactory.h"
#include "pet/PetFile.h"
#include "pet/StatusLayout.h"
#include "presentation/Hold.h"
#include "presentation/MeterLook.h"
#include "presentation/PicFactory.h"
#include "presentation/Picture.h"
#include "presentation/PopupText.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/FileError.h"
#include "support/Happenings.h"
#include "support/Signals.h"
#include "support/StringTokenizer.h"

#include "support/Seams.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>
#include <climits>
#include <iostream>
#include <tuple>
#include <utility>

namespace {
// The animation's frame number and bob direction are shared by every showing.
int frameNumber = 0;
int bobSign = 1;

constexpr float kAnswerSeconds = 1.5f;

// The need marks sit in the top right corner, right to left, clear of the largest pet.
constexpr float kMarkMargin = 6.0f;
constexpr float kMarkGap = 4.0f;

// A meter in its row's box: its name at the left, then a bar filled to the value.
void DrawMeter(facade::WindowApp& window, const sf::FloatRect& row, const char* name, int value,
               needs::Level level) {
    using namespace statuslayout;
    facade::Text label(name, facade::Text::kDefaultFont, 14);
    label.SetPosition(row.left, row.top);
    label.Draw(window);
    sf::RectangleShape frame({kBarWidth, kBarHeight});
    frame.setPosition(row.left + kLabelWidth, row.top + kLabelRise);
    frame.setFillColor(sf::Color::White);
    frame.setOutlineThickness(1.0f);
    frame.setOutlineColor(sf::Color(150, 150, 150));
    window.draw(frame);
    sf::RectangleShape bar({kBarWidth * static_cast<float>(std::clamp(value, 0, 100)) / 100.0f, kBarHeight});
    bar.setPosition(frame.getPosition());
    bar.setFillColor(meterlook::LevelColor(level));
    window.draw(bar);
}
} // namespace

Pet::Pet(const std::string& templateName, const std::string& petName, facade::WindowApp* window,
         StateFactory* stateFactory)
    : name(petName), factory(stateFactory ? stateFactory : &StateFactory::GetInstance()), window(window) {
    const std::string path = petfile::TemplatePath(templateName);
    std::cout << path << std::endl;
    const PetRecord record = petfile::ReadTemplate(path);
    factory->SetGrowState(record.stage, record.statistics);
    body = factory->CreateBodyState(record.body);
}

Pet::Pet(const std::string& petName, facade::WindowApp* window, StateFactory* stateFactory)
    : factory(stateFactory ? stateFactory : &StateFactory::GetInstance()), window(window) {
    const std::string path = petfile::DataPath(petName);
    const PetRecord record = petfile::ReadData(path);
    // The pet is saved under the name of its first line: a file naming another pet would make
    // the next save overwrite that pet's file.
    if (record.name != petName) {
        throw FileError(path, 1, "names the pet \"" + record.name + "\", not \"" + petName + "\"");
    }
    name = record.name;
    age = record.age;
    factory->SetGrowState(record.stage, record.statistics);
    body = factory->CreateBodyState(record.body);
}

Pet::~Pet() = default;

void Pet::Say(const std::string& text) {
    lastAnswer = text;
    if (window) {
        PopupText(text, window, kAnswerSeconds);
    }
}

void Pet::Answer(const std::function<void()>& command, const char* success, happenings::Kind done,
                 const std::string& detail) {
    try {
        command();
        happenings::Announce(done, detail);
        if (success) {
            Say(success);
        }
    } catch (InvalidOperation& refusal) {
        happenings::Announce(happenings::Kind::Refused, refusal.GetMessage());
        Say(refusal.GetMessage());
    }
    NoteNeeds();
}

void Pet::Feed(const Food& food) {
    Answer([&] { body->Feed(food); }, "It's TastY!", happenings::Kind::Fed, food.GetName());
}

void Pet::Play(Game& game) {
    Answer([&] { body->Play(game); }, "Oh, it's so FUN!", happenings::Kind::Played, game.GetName());
}

void Pet::Clean() {
    Answer([&] { body->Clean(); }, "Yeeey I'm cleaner!", happenings::Kind::Cleaned);
}

void Pet::Cure() {
    // Curing says nothing when it works.
    Answer([&] { body->Cure(); }, nullptr, happenings::Kind::Cured);
}

void Pet::Live() {
    if (++liveCounter > kLivesPerAge) {
        liveCounter = 0;
        if (age < INT_MAX) {
            ++age;
        }
    }
    body->Live();
    try {
        body->Check();
    } catch (BodyStateChanged& change) {
        // The new state is made before the old one goes, so the pet is never without one.
        const std::string old = body->GetName();
        body = factory->CreateBodyState(change.GetMessage());
        happenings::Announce(happenings::Kind::BodyChanged, old);
    } catch (GrowStateChanged& change) {
        const std::string bodyName = body->GetName();
        const std::string old = body->GetGrowStateName();
        body = factory->ChangeGrowState(change.GetMessage(), bodyName);
        happenings::Announce(old == "Egg" ? happenings::Kind::Hatched : happenings::Kind::Grew, old);
    }
    happenings::Announce(happenings::Kind::Lived);
    WatchNeeds();
    NoteNeeds();
}

needs::Needs Pet::GetNeeds() const {
    return needs::Of(body->GetGrowStateName(), body->GetName(), body->GetHealth(), body->GetFull(),
                     body->GetDirty());
}

void Pet::WatchNeeds() {
    const needs::Needs now = GetNeeds();
    // A need that ends may ask again when it comes back; one still held has asked already.
    for (auto [held, flag] : {std::pair{now.hungry, &asked.hungry}, std::pair{now.dirty, &asked.dirty},
                              std::pair{now.sick, &asked.sick}}) {
        if (!held) {
            *flag = false;
        } else if (!*flag && window != nullptr) {
            *flag = window->RequestAttention();
        }
    }
}

void Pet::NoteNeeds() {
    const needs::Needs now = GetNeeds();
    for (auto [held, was, name] :
         {std::tuple{now.hungry, shown.hungry, "hungry"}, std::tuple{now.dirty, shown.dirty, "dirty"},
          std::tuple{now.sick, shown.sick, "sick"}}) {
        if (held != was) {
            happenings::Announce(held ? happenings::Kind::NeedBegan : happenings::Kind::NeedEnded, name);
        }
    }
    const bool hadAny = shown.Any();
    shown = now;
    if (hadAny && !now.Any()) {
        happenings::Announce(happenings::Kind::NeedsMet);
    }
}

bool Pet::IsAt(float x, float y) const {
    return picture != nullptr && picture->GetBounds().contains(x, y);
}

Pet::Frame Pet::NextFrame() {
    const int frames = body->GetFrameCount();
    std::cout << body->GetGrowStateName() << body->GetName() << frames << std::endl;
    if (frames > 0) {
        frameNumber %= frames;
    }
    const Frame frame = FrameNow();
    bobSign = -bobSign;
    if (frames > 1) {
        frameNumber = (frameNumber + 1) % frames;
    }
    return frame;
}

Pet::Frame Pet::FrameNow() const {
    const int frames = body->GetFrameCount();
    const int number = frames > 0 ? frameNumber % frames : frameNumber;
    return {body->GetGrowStateName() + "_" + body->GetName() + StringTokenizer::ToString(number),
            body->GetMove() * bobSign};
}

void Pet::ResetAnimation() {
    frameNumber = 0;
    bobSign = 1;
}

void Pet::Show() {
    lastFrame = NextFrame();
    Redraw();
}

void Pet::Redraw() {
    // Before its first frame the pet is drawn as that frame will show it.
    const Frame frame = lastFrame.picture.empty() ? FrameNow() : lastFrame;
    picture = PicFactory::GetPicture(frame.picture);
    const float x = static_cast<float>(window->GetWidth() / 2);
    const float y = static_cast<float>(window->GetHeight() / 2);
    picture->SetPosition(x, y);
    picture->SetCenter(1, 1);
    picture->Move(0.0f, static_cast<float>(frame.offset));
    window->ClearHome();
    picture->Draw(*window);
    const needs::Needs held = GetNeeds();
    float right = static_cast<float>(window->GetWidth()) - kMarkMargin;
    for (auto [holds, name] : {std::pair{held.hungry, "NeedHungry"}, std::pair{held.dirty, "NeedDirty"},
                               std::pair{held.sick, "NeedSick"}}) {
        if (holds) {
            facade::Picture* mark = PicFactory::GetPicture(name);
            mark->SetCenter(2, 0);
            mark->SetPosition(right, kMarkMargin);
            mark->Draw(*window);
            right -= mark->GetWidth() + kMarkGap;
        }
    }
    window->Display();
}

std::string Pet::StatusText() const {
    using T = StringTokenizer;
    return "Name:" + name + "\nAge:" + T::ToString(age) + "\nHeight:" + T::ToString(body->GetHeight(), 2) +
           " cm\nWeight:" + T::ToString(body->GetWeight(), 2) + " g\nMood:" + T::ToString(body->GetMood()) +
           "%\nFull:" + T::ToString(body->GetFull()) + "%    Energy:" + T::ToString(body->GetEnergy()) +
           "%\nHealth:" + T::ToString(body->GetHealth()) + "%    Dirty:" + T::ToString(body->GetDirty()) +
           "%\nStrength:" + T::ToString(body->GetStrength()) + "    Wisdom:" + T::ToString(body->GetWisdom());
}

void Pet::ShowStatus() {
    facade::Text status(StatusText(), "fonts/Arial.ttf", 16);
    status.SetPosition(15, 55);
    const std::string stage = body->GetGrowStateName();
    using needs::Meter;
    const std::tuple<Meter, const char*, int> meters[] = {{Meter::Mood, "Mood", body->GetMood()},
                                                          {Meter::Full, "Full", body->GetFull()},
                                                          {Meter::Energy, "Energy", body->GetEnergy()},
                                                          {Meter::Health, "Health", body->GetHealth()},
                                                          {Meter::Dirty, "Dirty", body->GetDirty()}};
    const std::vector<sf::FloatRect> rows = statuslayout::PlaceMeters(
        status.GetBounds(), static_cast<float>(window->GetWidth()), static_cast<float>(window->GetHeight()),
        static_cast<int>(std::size(meters)));
    facade::Hold(*window, 3.0, [&] {
        window->ClearScreen();
        status.Draw(*window);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const auto& [meter, name, value] = meters[row];
            DrawMeter(*window, rows[row], name, value, needs::LevelOf(meter, stage, value));
        }
    });
}

std::vector<std::string> Pet::GetLines() const {
    return petfile::DataLines(name, age, body->GetGrowStateName(), body->GetName(), body->GetGrowStateData());
}
