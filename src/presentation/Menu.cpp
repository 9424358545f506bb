#include "presentation/Menu.h"

#include "presentation/KeyCodes.h"
#include "presentation/PicFactory.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"

Menu::Menu(facade::WindowApp* window)
    : window(window), background(PicFactory::GetPicture("Menu")), pageDown(this), pageUp(this),
      upMark("page-up", facade::Text::kDefaultFont, 12),
      downMark("page-down", facade::Text::kDefaultFont, 12) {
    controlKeys[keys::PageDown] = &pageDown;
    controlKeys[keys::Down] = &pageDown;
    controlKeys[keys::PageUp] = &pageUp;
    controlKeys[keys::Up] = &pageUp;
    upMark.SetColor(sf::Color::Magenta);
    downMark.SetColor(sf::Color::Blue);
}

void Menu::AddItem(int key, const std::string& label, facade::EventOperation* operation) {
    items.emplace_back(std::string(1, char(key)) + ") " + label + "\n", kItemFont, 14.0f);
    itemKeyCodes.push_back(key);
    itemKeys[key] = operation;
    dirty = true;
}

void Menu::PageDown() {
    if (pageStart + kItemsPerPage < GetItemCount()) {
        pageStart += kItemsPerPage;
        dirty = true;
    }
}

void Menu::PageUp() {
    if (pageStart - kItemsPerPage >= 0) {
        pageStart -= kItemsPerPage;
        dirty = true;
    } else if (pageStart != 0) {
        pageStart = 0;
        dirty = true;
    }
}

void Menu::Execute() {
    if (window == nullptr) {
        return;
    }
    pageStart = 0;
    dirty = true;
    window->Activate();
    while (window->IsOpened() && !ending::Requested()) {
        window->Deactivate();
        if (HandleEvents()) {
            window->ClearHome();
            window->Display();
            return;
        }
        window->Activate();
        DrawPage();
        timing::Sleep(0.01);
    }
}

bool Menu::HandleEvents() {
    sf::Event event;
    while (window->GetEvent(event)) {
        window->Deactivate();
        // Everything but key presses and clicks (the close button included) is dropped while the
        // menu is open. A click takes the path of the key it stands for.
        const int key = facade::EventKey(event, [this](float x, float y) { return KeyAt(x, y); });
        if (key != keys::NoKey && HandleKey(key)) {
            return true;
        }
        timing::Sleep(0.01);
        window->Activate();
    }
    return false;
}

bool Menu::HandleKey(int key) {
    if (key == keys::Escape) {
        return true;
    }
    auto control = controlKeys.find(key);
    if (control != controlKeys.end()) {
        control->second->Execute();
    }
    auto item = itemKeys.find(key);
    if (item != itemKeys.end()) {
        item->second->Execute();
        return true;
    }
    return false;
}

int Menu::KeyAt(float x, float y) {
    if (dirty) {
        Rebuild();
    }
    if (HasPageUpMark() && upMark.GetBounds().contains(x, y)) {
        return keys::PageUp;
    }
    if (HasPageDownMark() && downMark.GetBounds().contains(x, y)) {
        return keys::PageDown;
    }
    // A line runs across the window, from its row's top to the next row's.
    const float row = rowHeight > 0 ? (y - 20.0f) / rowHeight : -1.0f;
    if (row < 0 || row >= kItemsPerPage || x < 0 || pageStart + static_cast<int>(row) >= GetItemCount()) {
        return keys::NoKey;
    }
    return itemKeyCodes[std::size_t(pageStart + static_cast<int>(row))];
}

void Menu::Rebuild() {
    basket.Clear();
    // The background is shared with every other user of the picture cache, so it is placed anew.
    background->SetCenter(0, 0);
    background->SetPosition(0.0f, 0.0f);
    basket.Add(background);
    rowHeight = facade::Text("X", kItemFont, 14.0f).GetHeight() + 5.0f;
    for (int row = 0; row < kItemsPerPage && pageStart + row < GetItemCount(); ++row) {
        facade::Text& item = items[std::size_t(pageStart + row)];
        item.SetPosition(20.0f, 20.0f + float(row) * rowHeight);
        basket.Add(&item);
    }
    // Without its background picture the menu measures its corners from the window instead,
    // so the marks stay on screen.
    float width = background->IsEmpty() ? float(window->GetWidth()) : background->GetWidth();
    float height = background->IsEmpty() ? float(window->GetHeight()) : background->GetHeight();
    if (HasPageUpMark()) {
        upMark.SetCenter(2, 0);
        upMark.SetPosition(width - 10.0f, 10.0f);
        basket.Add(&upMark);
    }
    if (HasPageDownMark()) {
        downMark.SetCenter(2, 2);
        downMark.SetPosition(width - 10.0f, height - 10.0f);
        basket.Add(&downMark);
    }
    dirty = false;
}

void Menu::DrawPage() {
    if (window == nullptr) {
        return;
    }
    if (dirty) {
        Rebuild();
    }
    window->ClearScreen();
    basket.Draw(*window);
    window->Display();
}
