#pragma once

#include <SFML/Window/Keyboard.hpp>

#include <functional>

namespace sf {
class Event;
}

// The game's own key numbering. Letters are their lower-case characters and digits their
// characters, so menu entries can be bound by letter; every other key counts up from Escape.
// Keys from the window are translated into these once, by facade::TranslateKey, where
// events enter the game; everything behind that point compares against these numbers.
namespace keys {
constexpr int A = 'a', B = 'b', C = 'c', D = 'd', E = 'e', F = 'f', G = 'g', H = 'h', I = 'i', J = 'j',
              K = 'k', L = 'l', M = 'm', N = 'n', O = 'o', P = 'p', Q = 'q', R = 'r', S = 's', T = 't',
              U = 'u', V = 'v', W = 'w', X = 'x', Y = 'y', Z = 'z';
constexpr int Num0 = '0', Num1 = '1', Num2 = '2', Num3 = '3', Num4 = '4', Num5 = '5', Num6 = '6', Num7 = '7',
              Num8 = '8', Num9 = '9';
constexpr int Escape = 256, LControl = 257, LShift = 258, LAlt = 259, LSystem = 260, RControl = 261,
              RShift = 262, RAlt = 263, RSystem = 264, Menu = 265, LBracket = 266, RBracket = 267,
              SemiColon = 268, Comma = 269, Period = 270, Quote = 271, Slash = 272, BackSlash = 273,
              Tilde = 274, Equal = 275, Dash = 276, Space = 277, Return = 278, Back = 279, Tab = 280,
              PageUp = 281, PageDown = 282, End = 283, Home = 284, Insert = 285, Delete = 286, Add = 287,
              Subtract = 288, Multiply = 289, Divide = 290, Left = 291, Right = 292, Up = 293, Down = 294;
constexpr int Unknown = -1;
// No key at all: an event that is not a key press, or a click on nothing that answers.
constexpr int NoKey = -2;
} // namespace keys

// Event types as the game numbers them (the window library numbers them the same way).
namespace events {
constexpr int Closed = 0, LostFocus = 2, GainedFocus = 3, KeyPressed = 5, MouseEntered = 12;
} // namespace events

namespace facade {
// The window's key -> the game's key code; keys::Unknown for keys the game has no number for.
// The keypad's digits count as digits.
int TranslateKey(sf::Keyboard::Key key);
// The key an event stands for, so that clicks take the same path as keys: a key press gives its
// key; a left click gives the key that `at` names for the click's position (keys::NoKey on
// nothing). Every other event, and any click without `at`, gives keys::NoKey.
using ClickKeys = std::function<int(float x, float y)>;
int EventKey(const sf::Event& event, const ClickKeys& at);
} // namespace facade
