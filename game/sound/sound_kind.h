// The game's sounds, one recording each, made by the program at start-up.
#pragma once

enum class SoundKind {
  Bounce,         // a floor contact; its strength follows the bounce
  ChargedBounce,  // a floor contact after a charged jump: a springier sound
  ChargeTick,     // Enter held: a tick whose pitch rises with the charge
  Wall,           // a wall sends the ball back
  LifeLost,       // a trap or a fall
  GameOver,       // the fourth loss: back to the menu
  Win,            // the goal
  MenuMove,       // the menu shows the other item
  MenuTake,       // the menu's play item is taken
  ListMove,       // a list (the course choice) moves to another entry
  ListTake,       // a list entry is taken
  Count
};
