{ Ukázkový program – èerpací stanice }
{ Obrazovky projektu DEMO.LCD jsou v souboru DEMO.PRI, který generuje PanoLCD (F7). }

options
  terminal_type = 10;

configuration
  Term1: hwobj;        { operátorský panel }
  Cerpadlo: swobj;     { øízení èerpadla }

constant
  RUCNI = 0;
  AUTO = 1;
  K_F1 = $70;
  K_ENTER = 13;
  X0 = 10;
  Y0 = 100;
  SIRKA = 30;
  VYSKA = 12;
  STRED_X = 200;
  STRED_Y = 90;
  POLOMER = 15;
  GX = 130;
  GY = 60;

symbol
  STAV: byte;          { 0 stojí, 1 bìží, jinak porucha }
  REZIM: byte;
  Hladina: integer;    { 0 .. 100 % }
  Teplota: integer;    { 0.1 °C }
  Heslo: word;
  Tlak: real;
  Tlacitko: bit;
  Potvrzeno: bit;
  Obrazovka: byte;
  xData: integer;
  yData: integer;
  Cas: datetime;
  Zprava: string;

{$I DEMO.PRI}

procedure Uloz(Hodnota: integer);
begin
  if Hodnota > 999 then
    Hodnota := 999;
  Zprava := "Uloženo";
end;

begin
  Obrazovka := SCR_HLAVNI;
  REZIM := AUTO;
  Tlak := 1.5E-3;
  repeat
    if Tlacitko = 1 then
      STAV := 1
    else
      STAV := 0;
    (* obrazovka podle stavu stroje *)
    case Obrazovka of
      1: goto SCR_HLAVNI;
      2: goto SCR_PREHLED;
    end;
  until Potvrzeno = 1;
end.
