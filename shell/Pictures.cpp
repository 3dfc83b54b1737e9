#include "shell/Pictures.h"

#include "shell/PictureResource.h"

fw::Ref<fw::Picture> iFond() {
  static shell::PictureResource resource("fond.png");
  return resource.Get();
}

fw::Ref<fw::Picture> iCible() {
  static shell::PictureResource resource("Cible.png");
  return resource.Get();
}

fw::Ref<fw::Picture> iDEL0() {
  static shell::PictureResource resource("DEL0.png");
  return resource.Get();
}

fw::Ref<fw::Picture> iDEL1() {
  static shell::PictureResource resource("DEL1.png");
  return resource.Get();
}

fw::Ref<fw::Picture> iClicGauche() {
  static shell::PictureResource resource("clicgauche.png");
  return resource.Get();
}

fw::Ref<fw::Picture> iClicDroit() {
  static shell::PictureResource resource("clicdroit.png");
  return resource.Get();
}
