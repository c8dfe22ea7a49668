<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Cards</name>
    <message>
        <source>Ohne Sportart gibt es keine Karten.</source>
        <translation>Without a sport there are no cards.</translation>
    </message>
    <message>
        <source>%1 gibt keine Karten.</source>
        <translation>%1 gives no cards.</translation>
    </message>
    <message>
        <source>Verwarnung kontrollieren</source>
        <translation>Check the warning</translation>
    </message>
    <message>
        <source> beim Verwarnen:</source>
        <translation> while giving the warning:</translation>
    </message>
    <message>
        <source>Verwarnung: erst die Nr. des Spielers eingeben.</source>
        <translation>Warning: type the player&apos;s number first.</translation>
    </message>
    <message>
        <source>Verwarnung #%1 %2</source>
        <translation>Warning #%1 %2</translation>
    </message>
    <message>
        <source>%1. Verwarnung der Mannschaft</source>
        <translation>team&apos;s warning no. %1</translation>
    </message>
    <message>
        <source>#%1 von %2 ist vom Spiel ausgeschlossen.</source>
        <translation>#%1 of %2 is out of the match.</translation>
    </message>
    <message>
        <source>#%1 von %2 ist schon verwarnt (höchstens %3 Verwarnung je Spieler).</source>
        <translation>#%1 of %2 has already been warned (at most %3 warning per player).</translation>
    </message>
    <message>
        <source>%1 hat schon %2 Verwarnungen (höchstens %3 je Mannschaft).</source>
        <translation>%1 already has %2 warnings (at most %3 per team).</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Trotzdem eine Verwarnung eintragen?</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Note a warning all the same?</translation>
    </message>
    <message>
        <source>Verwarnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Disqualifikation: erst die Nr. des Spielers eingeben.</source>
        <translation>Disqualification: type the player&apos;s number first.</translation>
    </message>
</context>
<context>
    <name>ClockCommands</name>
    <message>
        <source> beim Reseten:</source>
        <translation> when resetting:</translation>
    </message>
    <message>
        <source>Zeit in Min eingeben</source>
        <translation>Enter the time in minutes</translation>
    </message>
    <message>
        <source>Das Spiel ist aus (Spielende).<byte value="xd"/>
<byte value="xd"/>
Die Spielzeit trotzdem starten?</source>
        <translation>The match is over (end of match).<byte value="xd"/>
<byte value="xd"/>
Start the match clock anyway?</translation>
    </message>
    <message>
        <source>Spielende</source>
        <translation>End of match</translation>
    </message>
    <message>
        <source> beim Starten der Spielzeit:</source>
        <translation> when starting the match clock:</translation>
    </message>
    <message>
        <source>Zeit zurücksetzen?</source>
        <translation>Reset the time?</translation>
    </message>
    <message>
        <source>mit OK Bestätigen</source>
        <translation>Confirm with OK</translation>
    </message>
    <message>
        <source>Beide Spielstände auf 0 und die Spielzeit auf den Startwert zurücksetzen?</source>
        <translation>Reset both scores to 0 and the match clock to its start value?</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>ClockCount</name>
    <message>
        <source>Spielzeit kontrollieren</source>
        <translation>Check the match clock</translation>
    </message>
    <message>
        <source>Minuten der Spielzeit als Zahl eingeben</source>
        <translation>Enter the minutes of the match clock as a number</translation>
    </message>
    <message>
        <source>Sekunden der Spielzeit als Zahl eingeben</source>
        <translation>Enter the seconds of the match clock as a number</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>Spielzeit starten / stoppen</source>
        <translation>Start / stop the match clock</translation>
    </message>
    <message>
        <source>Spielzeit Start/Stop</source>
        <translation>Match clock start/stop</translation>
    </message>
    <message>
        <source>Spielzeit starten</source>
        <translation>Start the match clock</translation>
    </message>
    <message>
        <source>Spielzeit stoppen</source>
        <translation>Stop the match clock</translation>
    </message>
    <message>
        <source>Spielstand Heim +1</source>
        <translation>Home score +1</translation>
    </message>
    <message>
        <source>Tor Heim</source>
        <translation>Goal home</translation>
    </message>
    <message>
        <source>Spielstand Heim -1</source>
        <translation>Home score -1</translation>
    </message>
    <message>
        <source>Heim −1</source>
        <translation>Home −1</translation>
    </message>
    <message>
        <source>Strafe Heim starten / stoppen</source>
        <translation>Start / stop home penalty</translation>
    </message>
    <message>
        <source>Strafe Heim</source>
        <translation>Home penalty</translation>
    </message>
    <message>
        <source>Strafe Heim starten</source>
        <translation>Start home penalty</translation>
    </message>
    <message>
        <source>Strafe Heim stoppen</source>
        <translation>Stop home penalty</translation>
    </message>
    <message>
        <source>Spielstand Gegner +1</source>
        <translation>Guest score +1</translation>
    </message>
    <message>
        <source>Tor Gegner</source>
        <translation>Goal guest</translation>
    </message>
    <message>
        <source>Spielstand Gegner -1</source>
        <translation>Guest score -1</translation>
    </message>
    <message>
        <source>Gegner −1</source>
        <translation>Guest −1</translation>
    </message>
    <message>
        <source>Strafe Gegner starten / stoppen</source>
        <translation>Start / stop guest penalty</translation>
    </message>
    <message>
        <source>Strafe Gegner</source>
        <translation>Guest penalty</translation>
    </message>
    <message>
        <source>Strafe Gegner starten</source>
        <translation>Start guest penalty</translation>
    </message>
    <message>
        <source>Strafe Gegner stoppen</source>
        <translation>Stop guest penalty</translation>
    </message>
    <message>
        <source>Timeout starten / stoppen</source>
        <translation>Start / stop time-out</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source>Pause starten / stoppen</source>
        <translation>Start / stop break</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>Nächster Abschnitt: Pause, dann die nächste Periode</source>
        <translation>Next step: break, then the next period</translation>
    </message>
    <message>
        <source>Abschnitt</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Timeout Heim (nach den Regeln der Sportart)</source>
        <translation>Time-out home (by the rules of the sport)</translation>
    </message>
    <message>
        <source>Timeout Heim</source>
        <translation>Time-out home</translation>
    </message>
    <message>
        <source>Timeout Gegner (nach den Regeln der Sportart)</source>
        <translation>Time-out guest (by the rules of the sport)</translation>
    </message>
    <message>
        <source>Timeout Gegner</source>
        <translation>Time-out guest</translation>
    </message>
    <message>
        <source>Anzeigen ein / aus</source>
        <translation>Display on / off</translation>
    </message>
    <message>
        <source>Aktuelle Zeit ein / aus</source>
        <translation>Time of day on / off</translation>
    </message>
    <message>
        <source>COM-Port öffnen / schließen</source>
        <translation>Open / close the COM port</translation>
    </message>
    <message>
        <source>Fernbedienung erlauben / sperren</source>
        <translation>Allow / block remote control</translation>
    </message>
    <message>
        <source>Hupe, solange gedrückt</source>
        <translation>Horn, while held</translation>
    </message>
    <message>
        <source>Hupe</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Diese Liste</source>
        <translation>This list</translation>
    </message>
    <message>
        <source>Strafe Heim beendet</source>
        <translation>Home penalty ended</translation>
    </message>
    <message>
        <source>Strafe Gegner beendet</source>
        <translation>Guest penalty ended</translation>
    </message>
    <message>
        <source>Strafe Heim entfernt</source>
        <translation>Home penalty removed</translation>
    </message>
    <message>
        <source>Strafe Gegner entfernt</source>
        <translation>Guest penalty removed</translation>
    </message>
    <message>
        <source>Spielzeit zurücksetzen</source>
        <translation>Reset the match clock</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Seitenwechsel</source>
        <translation>Change ends</translation>
    </message>
    <message>
        <source>Foul Heim (wo die Sportart Fouls zählt)</source>
        <translation>Foul home (where the sport counts fouls)</translation>
    </message>
    <message>
        <source>Foul Heim</source>
        <translation>Foul home</translation>
    </message>
    <message>
        <source>Foul Gegner (wo die Sportart Fouls zählt)</source>
        <translation>Foul guest (where the sport counts fouls)</translation>
    </message>
    <message>
        <source>Foul Gegner</source>
        <translation>Foul guest</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Strafe Heim beenden</source>
        <translation>End home penalty</translation>
    </message>
    <message>
        <source>Strafe Gegner beenden</source>
        <translation>End guest penalty</translation>
    </message>
    <message>
        <source>Timeout beenden</source>
        <translation>End time-out</translation>
    </message>
    <message>
        <source>Pause beenden</source>
        <translation>End break</translation>
    </message>
    <message>
        <source>Nächster Abschnitt</source>
        <translation>Next period</translation>
    </message>
    <message>
        <source>Verwarnung Heim (gelbe Karte, wo die Sportart Karten gibt)</source>
        <translation>Warning home (yellow card, where the sport gives cards)</translation>
    </message>
    <message>
        <source>Verwarnung Heim</source>
        <translation>Warning home</translation>
    </message>
    <message>
        <source>Verwarnung Gegner (gelbe Karte, wo die Sportart Karten gibt)</source>
        <translation>Warning guest (yellow card, where the sport gives cards)</translation>
    </message>
    <message>
        <source>Verwarnung Gegner</source>
        <translation>Warning guest</translation>
    </message>
    <message>
        <source>Disqualifikation Heim (rote Karte)</source>
        <translation>Disqualification home (red card)</translation>
    </message>
    <message>
        <source>Disqualifikation Heim</source>
        <translation>Disqualification home</translation>
    </message>
    <message>
        <source>Disqualifikation Gegner (rote Karte)</source>
        <translation>Disqualification guest (red card)</translation>
    </message>
    <message>
        <source>Disqualifikation Gegner</source>
        <translation>Disqualification guest</translation>
    </message>
</context>
<context>
    <name>Composer</name>
    <message>
        <source> +++ COM-Port Ausgang ist nicht geöffnet</source>
        <translation> +++ COM port output is not open</translation>
    </message>
</context>
<context>
    <name>Display</name>
    <message>
        <source>%1: %2, warte auf das Gerät</source>
        <translation>%1: %2, waiting for the device</translation>
    </message>
    <message>
        <source>%1: geöffnet</source>
        <translation>%1: opened</translation>
    </message>
    <message>
        <source>%1: nicht mehr erreichbar (%2), warte auf das Gerät</source>
        <translation>%1: no longer reachable (%2), waiting for the device</translation>
    </message>
    <message>
        <source>%1 übersprungen: %2 Bytes (insgesamt %3)</source>
        <translation>%1 skipped: %2 bytes (%3 in all)</translation>
    </message>
    <message>
        <source>%1 |%2| Helligkeit %3%4</source>
        <translation>%1 |%2| brightness %3%4</translation>
    </message>
    <message>
        <source>, blinkt</source>
        <translation>, blinking</translation>
    </message>
    <message>
        <source>Anzeige-Monitor – %1</source>
        <translation>Display monitor – %1</translation>
    </message>
    <message>
        <source>übersprungen: %1 Bytes</source>
        <translation>skipped: %1 bytes</translation>
    </message>
    <message>
        <source>Zeigt, was eine Anzeigezeile an ihrer seriellen Leitung empfängt.</source>
        <translation>Shows what a display line receives on its serial line.</translation>
    </message>
    <message>
        <source>Baudrate (1200, 2400, 4800, 9600).</source>
        <translation>Baud rate (1200, 2400, 4800, 9600).</translation>
    </message>
    <message>
        <source>Jede Änderung als zwei Textzeilen ausgeben.</source>
        <translation>Print each change as two lines of text.</translation>
    </message>
    <message>
        <source>Serielles Gerät, oder - für die Standardeingabe.</source>
        <translation>Serial device, or - for standard input.</translation>
    </message>
</context>
<context>
    <name>DisplayModes</name>
    <message>
        <source>Programm %1<byte value="xd"/>
läuft</source>
        <translation>Program %1<byte value="xd"/>
running</translation>
    </message>
    <message>
        <source>geänderter Text wird bei laufender Text-Anzeige erst nach<byte value="xd"/>
Aus-/Ein-schalten der Option *Anzeigen* oder *freier Text* aktiv.</source>
        <translation>A changed text reaches the display while text is shown only after<byte value="xd"/>
switching *Display* or *Free text* off and on again.</translation>
    </message>
    <message>
        <source>Programm %1<byte value="xd"/>
läuft...</source>
        <translation>Program %1<byte value="xd"/>
running...</translation>
    </message>
</context>
<context>
    <name>EventLog</name>
    <message>
        <source> Spielpause</source>
        <translation> Match break</translation>
    </message>
    <message>
        <source> Timeout</source>
        <translation> Time-out</translation>
    </message>
    <message>
        <source> Strafe %1min. für %2</source>
        <translation> Penalty %1 min. for %2</translation>
    </message>
    <message>
        <source> Spiel Start/Stop</source>
        <translation> Match start/stop</translation>
    </message>
    <message>
        <source> +++ Programmstart. </source>
        <translation> +++ Program start. </translation>
    </message>
    <message>
        <source> +++ Spielzeit: </source>
        <translation> +++ Match time: </translation>
    </message>
</context>
<context>
    <name>Form</name>
    <message>
        <source>Anzeigen</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Akt. Zeit</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <source>Programm</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>freier Text</source>
        <translation>Free text</translation>
    </message>
    <message>
        <source>Startwert</source>
        <translation>Start value</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>StartTimeout</source>
        <translation>Start time-out</translation>
    </message>
    <message>
        <source>Hupe</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>Eine Zeile</source>
        <translation>One line</translation>
    </message>
    <message>
        <source>Scrollen</source>
        <translation>Scroll</translation>
    </message>
    <message>
        <source>Marklight professional Timing</source>
        <translation>Marklight professional Timing</translation>
    </message>
    <message>
        <source>Hupe: kein Audiogerät</source>
        <translation>Horn: no audio device</translation>
    </message>
    <message>
        <source>Fernbedienung</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Spielbericht speichern…</source>
        <translation>Save match report…</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Zählen</source>
        <translation>Score direction</translation>
    </message>
    <message>
        <source>Aufwärts</source>
        <translation>Upwards</translation>
    </message>
    <message>
        <source>Abwärts</source>
        <translation>Downwards</translation>
    </message>
    <message>
        <source>Seitenwechsel</source>
        <translation>Change ends</translation>
    </message>
    <message>
        <source>Spiegeln</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>Zeit Modus</source>
        <translation>Clock mode</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Helligkeit</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>schwach</source>
        <translation>low</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>high</translation>
    </message>
    <message>
        <source>Programme</source>
        <translation>Programs</translation>
    </message>
    <message>
        <source>COM-Ports prüfen</source>
        <translation>Check COM ports</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Fernbedienung erlauben</source>
        <translation>Allow remote control</translation>
    </message>
    <message>
        <source>Einstellungen zurücksetzen</source>
        <translation>Reset settings</translation>
    </message>
    <message>
        <source>Meldungen</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Tastenkürzel…</source>
        <translation>Keyboard shortcuts…</translation>
    </message>
    <message>
        <source>Timeout Heim</source>
        <translation>Time-out home</translation>
    </message>
    <message>
        <source>Timeout Gegner</source>
        <translation>Time-out guest</translation>
    </message>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Foul</source>
        <translation>Foul</translation>
    </message>
    <message>
        <source>Spielbericht als PDF…</source>
        <translation>Match report as PDF…</translation>
    </message>
    <message>
        <source>Gelb</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Rot</source>
        <translation>Red</translation>
    </message>
</context>
<context>
    <name>Fouls</name>
    <message>
        <source>1 Foul</source>
        <translation>1 foul</translation>
    </message>
    <message>
        <source>%1 Fouls</source>
        <translation>%1 fouls</translation>
    </message>
    <message>
        <source>Ohne Sportart werden keine Fouls gezählt.</source>
        <translation>Without a sport no fouls are counted.</translation>
    </message>
    <message>
        <source>%1 zählt keine Fouls.</source>
        <translation>%1 counts no fouls.</translation>
    </message>
    <message>
        <source>Foul kontrollieren</source>
        <translation>Check the foul</translation>
    </message>
    <message>
        <source> beim Zählen des Fouls:</source>
        <translation> counting the foul:</translation>
    </message>
    <message>
        <source>#%1 von %2: %3. Foul – der Spieler muss das Spiel verlassen.<byte value="xd"/>
<byte value="xd"/>
Foul eintragen?</source>
        <translation>#%1 of %2: foul %3 – the player must leave the game.<byte value="xd"/>
<byte value="xd"/>
Count the foul?</translation>
    </message>
    <message>
        <source>#%1 von %2 hat schon %3 Fouls und spielt nicht mehr mit.<byte value="xd"/>
<byte value="xd"/>
Noch ein Foul eintragen?</source>
        <translation>#%1 of %2 already has %3 fouls and is out of the game.<byte value="xd"/>
<byte value="xd"/>
Count another foul?</translation>
    </message>
    <message>
        <source>Foul</source>
        <translation>Foul</translation>
    </message>
    <message>
        <source>%1. Foul des Spielers</source>
        <translation>player&apos;s foul %1</translation>
    </message>
    <message>
        <source>%1. Teamfoul</source>
        <translation>team foul %1</translation>
    </message>
    <message>
        <source>Foul #%1 %2</source>
        <translation>Foul #%1 %2</translation>
    </message>
    <message>
        <source>Foul %1</source>
        <translation>Foul %1</translation>
    </message>
</context>
<context>
    <name>HornDialog</name>
    <message>
        <source>Hupe</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>Hupe ein</source>
        <translation>Horn on</translation>
    </message>
    <message>
        <source>automatisch am Ende der Spielzeit, eines Timeouts und einer Pause, und von Hand mit &quot;Hupe&quot;</source>
        <translation>by itself at the end of the match time, a time-out and a break, and by hand with &quot;Horn&quot;</translation>
    </message>
    <message>
        <source>Länge:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Lautstärke:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>spielt die Hupe so, wie sie eingestellt ist</source>
        <translation>sounds the horn as it is set</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>HornSignals</name>
    <message>
        <source> +++ Hupe: Spielzeit zu Ende</source>
        <translation> +++ Horn: match time over</translation>
    </message>
    <message>
        <source> +++ Hupe: Timeout zu Ende</source>
        <translation> +++ Horn: time-out over</translation>
    </message>
    <message>
        <source> +++ Hupe: Pause zu Ende</source>
        <translation> +++ Horn: break over</translation>
    </message>
    <message>
        <source> +++ Hupe: </source>
        <translation> +++ Horn: </translation>
    </message>
    <message>
        <source> +++ Hupe: Audiogerät wieder da</source>
        <translation> +++ Horn: audio device back</translation>
    </message>
    <message>
        <source>Hupe: </source>
        <translation>Horn: </translation>
    </message>
</context>
<context>
    <name>Interruptions</name>
    <message>
        <source> beim Timeout starten:</source>
        <translation> when starting a time-out:</translation>
    </message>
    <message>
        <source>Zeit in Min eingeben</source>
        <translation>Enter the time in minutes</translation>
    </message>
</context>
<context>
    <name>KeyDialog</name>
    <message>
        <source>Befehl</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Taste</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Zweite Taste</source>
        <translation>Second key</translation>
    </message>
    <message>
        <source>Dritte Taste</source>
        <translation>Third key</translation>
    </message>
    <message>
        <source>Ändern…</source>
        <translation>Change…</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Tasten</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Die nächste gedrückte Taste wird die gewählte Taste des Befehls (Esc bricht ab)</source>
        <translation>The next key pressed becomes the chosen key of the command (Esc cancels)</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Die Standardtasten gelten wieder.</source>
        <translation>The standard keys apply again.</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Eine Taste wählen und &quot;Ändern…&quot; (oder doppelklicken), dann die neue Taste drücken. Fußschalter und Präsentations-Fernbedienungen senden gewöhnliche Tasten (Bild auf/ab, B, F5, Eingabe).</source>
        <translation>Choose a key and &quot;Change…&quot; (or double-click it), then press the new key. Foot switches and presenter clickers send ordinary keys (Page Up/Down, B, F5, Enter).</translation>
    </message>
    <message>
        <source>Erst den Platz einer Taste wählen.</source>
        <translation>Choose the place of a key first.</translation>
    </message>
    <message>
        <source>Neue Taste für &quot;%1&quot; drücken … (Esc bricht ab)</source>
        <translation>Press the new key for &quot;%1&quot; … (Esc cancels)</translation>
    </message>
    <message>
        <source>Abgebrochen: die alte Taste bleibt.</source>
        <translation>Cancelled: the old key stays.</translation>
    </message>
    <message>
        <source>Diese Tastenkombination nimmt sich das Fenstersystem: die alte Taste bleibt.</source>
        <translation>The window system takes this key combination for itself: the old key stays.</translation>
    </message>
    <message>
        <source> Die alte Taste bleibt.</source>
        <translation> The old key stays.</translation>
    </message>
</context>
<context>
    <name>KeyTable</name>
    <message>
        <source>Leertaste</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Bild auf</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Bild ab</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>Eingabe</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Entf</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Einfg</source>
        <translation>Ins</translation>
    </message>
    <message>
        <source>Rücktaste</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Pos1</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Rechts</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Auf</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Ab</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Druck</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Strg+</source>
        <translation>Ctrl+</translation>
    </message>
    <message>
        <source>Alt+</source>
        <translation>Alt+</translation>
    </message>
    <message>
        <source>Umschalt+</source>
        <translation>Shift+</translation>
    </message>
    <message>
        <source>Windows+</source>
        <translation>Windows+</translation>
    </message>
    <message>
        <source>Ziffernblock </source>
        <translation>Keypad </translation>
    </message>
    <message>
        <source>Die Windows-Taste gehört dem Fenstersystem.</source>
        <translation>The Windows key belongs to the window system.</translation>
    </message>
    <message>
        <source>Alt+Tab wechselt das Fenster.</source>
        <translation>Alt+Tab switches windows.</translation>
    </message>
    <message>
        <source>Alt+F4 schließt das Fenster.</source>
        <translation>Alt+F4 closes the window.</translation>
    </message>
    <message>
        <source>Alt+Leertaste öffnet das Fenstermenü.</source>
        <translation>Alt+Space opens the window menu.</translation>
    </message>
    <message>
        <source>Die Tastenkombination öffnet das Startmenü oder wechselt das Fenster.</source>
        <translation>The key combination opens the start menu or switches windows.</translation>
    </message>
    <message>
        <source>Strg+Alt+Entf und Strg+Alt+Rücktaste gehören dem System.</source>
        <translation>Ctrl+Alt+Del and Ctrl+Alt+Backspace belong to the system.</translation>
    </message>
    <message>
        <source>Strg+Alt mit einer F-Taste wechselt die Konsole.</source>
        <translation>Ctrl+Alt with a function key switches the console.</translation>
    </message>
    <message>
        <source>Die Arbeitsfläche nimmt sich diese Tastenkombination.</source>
        <translation>The desktop takes this key combination.</translation>
    </message>
    <message>
        <source>Die Druck-Taste macht ein Bildschirmfoto.</source>
        <translation>The Print key takes a screenshot.</translation>
    </message>
    <message>
        <source>Esc verlässt ein Textfeld und schließt Fenster.</source>
        <translation>Esc leaves a text box and closes windows.</translation>
    </message>
    <message>
        <source>Tab geht von Feld zu Feld.</source>
        <translation>Tab walks from control to control.</translation>
    </message>
    <message>
        <source>Alt+Eingabe schaltet den Anzeige-Monitor auf Vollbild.</source>
        <translation>Alt+Enter switches the display monitor to full screen.</translation>
    </message>
    <message>
        <source>Alt mit einem Buchstaben öffnet die Menüs.</source>
        <translation>Alt with a letter opens the menus.</translation>
    </message>
    <message>
        <source>Jeder Befehl hat höchstens %1 Tasten.</source>
        <translation>Each command has at most %1 keys.</translation>
    </message>
    <message>
        <source>Diese Taste kennt Marklight nicht.</source>
        <translation>Marklight does not know this key.</translation>
    </message>
    <message>
        <source>%1 nimmt sich das Fenstersystem: %2</source>
        <translation>The window system takes %1 for itself: %2</translation>
    </message>
    <message>
        <source>%1 ist vergeben: %2</source>
        <translation>%1 is taken: %2</translation>
    </message>
    <message>
        <source>%1 gehört schon zu &quot;%2&quot;.</source>
        <translation>%1 already belongs to &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Die Tasten wirken, wo auch immer der Fokus steht, auch im Anzeige-Monitor; &quot;Extras → Tasten…&quot; ändert sie. In einem Textfeld, das bearbeitet wird, schreiben die Leertaste, Buchstaben und der Ziffernblock; Esc verlässt das Feld (der Text bleibt). Eingabe betätigt den Knopf, der den Fokus hat. Esc schließt das Meldungsfenster. Anzeige-Monitor: Vollbild mit Alt+Eingabe oder Doppelklick, Esc verlässt es.</source>
        <translation>The keys work wherever the focus is, in the display monitor too; &quot;Tools → Keys…&quot; changes them. In a text box being edited, Space, letters and the keypad type; Esc leaves the box (its text stays). Enter presses the focused button. Esc closes the message window. Display monitor: full screen with Alt+Enter or a double-click, Esc leaves it.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>H&amp;upe…</source>
        <translation>&amp;Horn…</translation>
    </message>
    <message>
        <source>&amp;Tasten…</source>
        <translation>&amp;Keys…</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Die Sprache wechselt beim nächsten Start von Marklight.</source>
        <translation>The language changes at the next start of Marklight.</translation>
    </message>
    <message>
        <source>Sp&amp;ortart…</source>
        <translation>Sp&amp;ort…</translation>
    </message>
    <message>
        <source>Spiel&amp;verlauf…</source>
        <translation>Match &amp;log…</translation>
    </message>
    <message>
        <source>&amp;Drucken…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>Spielbericht</source>
        <translation>Match report</translation>
    </message>
    <message>
        <source>Spielbericht drucken</source>
        <translation>Print the match report</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Der Drucker nimmt den Spielbericht nicht an.</source>
        <translation>The printer does not take the match report.</translation>
    </message>
    <message>
        <source> +++ Spielbericht gedruckt</source>
        <translation> +++ Match report printed</translation>
    </message>
</context>
<context>
    <name>MatchContext</name>
    <message>
        <source> +++ Spielzeit: %1:%2 (%3:%4) %5</source>
        <translation> +++ Match clock: %1:%2 (%3:%4) %5</translation>
    </message>
</context>
<context>
    <name>MatchEngine</name>
    <message>
        <source>Die Regeln (%1) erlauben es nicht: %2</source>
        <translation>The rules (%1) do not allow it: %2</translation>
    </message>
    <message>
        <source>Nur am Pult: %1</source>
        <translation>Only at the desk: %1</translation>
    </message>
</context>
<context>
    <name>MatchLogDialog</name>
    <message>
        <source>Spielverlauf</source>
        <translation>Match log</translation>
    </message>
    <message>
        <source> (zurückgenommen)</source>
        <translation> (taken back)</translation>
    </message>
    <message>
        <source>Tor</source>
        <translation>Goal</translation>
    </message>
    <message>
        <source>Nr. des Torschützen und der Vorlagen (z. B. 17 5 8):</source>
        <translation>No. of the scorer and the assists (e.g. 17 5 8):</translation>
    </message>
    <message>
        <source>Nr. des Torschützen:</source>
        <translation>No. of the scorer:</translation>
    </message>
</context>
<context>
    <name>MatchRecord</name>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Tor</source>
        <translation>Goal</translation>
    </message>
    <message>
        <source>Tor zurückgenommen</source>
        <translation>Goal taken back</translation>
    </message>
    <message>
        <source>Strafe %1</source>
        <translation>Penalty %1</translation>
    </message>
    <message>
        <source>beginnt</source>
        <translation>begins</translation>
    </message>
    <message>
        <source>verbüßt</source>
        <translation>served</translation>
    </message>
    <message>
        <source>beendet</source>
        <translation>ended</translation>
    </message>
    <message>
        <source>entfernt</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>Pause zu Ende</source>
        <translation>Break over</translation>
    </message>
    <message>
        <source>Beginn %1</source>
        <translation>Start of %1</translation>
    </message>
    <message>
        <source>Ende %1</source>
        <translation>End of %1</translation>
    </message>
    <message>
        <source>Uhr läuft</source>
        <translation>Clock runs</translation>
    </message>
    <message>
        <source>Uhr steht</source>
        <translation>Clock stopped</translation>
    </message>
    <message>
        <source>Korrektur</source>
        <translation>Correction</translation>
    </message>
    <message>
        <source>Spielende</source>
        <translation>End of match</translation>
    </message>
    <message>
        <source>Foul%1</source>
        <translation>Foul%1</translation>
    </message>
    <message>
        <source>Kein Tor gewählt</source>
        <translation>No goal chosen</translation>
    </message>
    <message>
        <source>Nr. %1 gibt es nicht (1–99)</source>
        <translation>There is no no. %1 (1–99)</translation>
    </message>
    <message>
        <source>%1 kennt keine Vorlagen</source>
        <translation>%1 has no assists</translation>
    </message>
    <message>
        <source>Höchstens %1 Vorlagen</source>
        <translation>At most %1 assists</translation>
    </message>
    <message>
        <source>#%1 steht zweimal</source>
        <translation>#%1 stands twice</translation>
    </message>
    <message>
        <source>Verwarnung #%1</source>
        <translation>Warning #%1</translation>
    </message>
    <message>
        <source>Disqualifikation #%1</source>
        <translation>Disqualification #%1</translation>
    </message>
    <message>
        <source>Blaue Karte #%1</source>
        <translation>Blue card #%1</translation>
    </message>
</context>
<context>
    <name>MessageWindow</name>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>MessageWindowModel</name>
    <message>
        <source>Marklight - Version </source>
        <translation>Marklight - Version </translation>
    </message>
    <message>
        <source>Dieses Programm erweitert die Anzeigelinie zu einem Scoreboard</source>
        <translation>This program turns the display line into a scoreboard</translation>
    </message>
</context>
<context>
    <name>MqttLink</name>
    <message>
        <source>TLS gescheitert: Zertifikat des Brokers nicht anerkannt, oder Port %1 spricht kein TLS</source>
        <translation>TLS failed: the broker&apos;s certificate is not accepted, or port %1 speaks no TLS</translation>
    </message>
    <message>
        <source>Verbindung unterbrochen</source>
        <translation>connection lost</translation>
    </message>
    <message>
        <source>der Broker antwortet nicht mehr</source>
        <translation>the broker no longer answers</translation>
    </message>
    <message>
        <source>Port %1 nimmt keine Verbindung an</source>
        <translation>port %1 accepts no connection</translation>
    </message>
    <message>
        <source>%1 ist nicht erreichbar</source>
        <translation>%1 cannot be reached</translation>
    </message>
    <message>
        <source>der Broker antwortet nicht</source>
        <translation>the broker does not answer</translation>
    </message>
    <message>
        <source>Broker, Halle oder Feld fehlt</source>
        <translation>broker, hall or court missing</translation>
    </message>
    <message>
        <source>%1 ist unbekannt</source>
        <translation>%1 is unknown</translation>
    </message>
    <message>
        <source>die CA-Datei %1 ist nicht lesbar</source>
        <translation>the CA file %1 cannot be read</translation>
    </message>
    <message>
        <source>Anmeldung abgelehnt: Benutzername oder Passwort falsch</source>
        <translation>login refused: wrong user name or password</translation>
    </message>
    <message>
        <source>der Broker lehnt ab: %1</source>
        <translation>the broker refuses: %1</translation>
    </message>
    <message>
        <source>der Broker trennt vor der Anmeldung (will Port %1 TLS?)</source>
        <translation>the broker closes before the login (does port %1 want TLS?)</translation>
    </message>
</context>
<context>
    <name>Pages</name>
    <message>
        <source>Spielbericht</source>
        <translation>Match report</translation>
    </message>
    <message>
        <source>Tore, Strafen und der Spielstand als Kurve, auch als PDF und CSV</source>
        <translation>goals, penalties and the score as a chart, also as PDF and CSV</translation>
    </message>
    <message>
        <source>Tore</source>
        <translation>Goals</translation>
    </message>
    <message>
        <source>Strafen</source>
        <translation>Penalties</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Abschnitt</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Mannschaft</source>
        <translation>Team</translation>
    </message>
    <message>
        <source>Torschütze</source>
        <translation>Scorer</translation>
    </message>
    <message>
        <source>Vorlagen</source>
        <translation>Assists</translation>
    </message>
    <message>
        <source>Stand</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Spieler</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Keine Verbindung – verbinde neu …</source>
        <translation>No connection – reconnecting …</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>Strafe</source>
        <translation>Penalty</translation>
    </message>
    <message>
        <source>wartet</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>Fouls</source>
        <translation>Fouls</translation>
    </message>
    <message>
        <source>Unterbrechung</source>
        <translation>Interruption</translation>
    </message>
    <message>
        <source>Spielende</source>
        <translation>End of match</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Hallenuhr</source>
        <translation>Hall clock</translation>
    </message>
    <message>
        <source>Anzeige</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Fernbedienung</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Namen, Spielstand, Spielzeit, Strafen, Timeout und Pause für Fernseher und Beamer</source>
        <translation>Names, score, match time, penalties, time-out and break for TVs and projectors</translation>
    </message>
    <message>
        <source>die LED-Anzeigelinie, wie sie gerade leuchtet</source>
        <translation>the LED display line as it shines now</translation>
    </message>
    <message>
        <source>Spielstand für Streaming-Programme (OBS, vMix), durchsichtiger Hintergrund</source>
        <translation>Score for streaming software (OBS, vMix), transparent background</translation>
    </message>
    <message>
        <source>Spielstand als JSON</source>
        <translation>Score as JSON</translation>
    </message>
    <message>
        <source>Name dieses Geräts ändern</source>
        <translation>Change this device&apos;s name</translation>
    </message>
    <message>
        <source>Name dieses Geräts (am Pult zu sehen):</source>
        <translation>This device&apos;s name (shown at the desk):</translation>
    </message>
    <message>
        <source>Nur Anzeige</source>
        <translation>View only</translation>
    </message>
    <message>
        <source>Nur Anzeige – QR-Code am Pult scannen</source>
        <translation>View only – scan the QR code at the desk</translation>
    </message>
    <message>
        <source>Nicht verbunden</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Am Pult gesperrt</source>
        <translation>Locked at the desk</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Keine Verbindung: nicht ausgeführt</source>
        <translation>No connection: not done</translation>
    </message>
    <message>
        <source>Nur Anzeige: zum Steuern den QR-Code am Pult scannen</source>
        <translation>View only: scan the QR code at the desk to control</translation>
    </message>
    <message>
        <source>Nicht ausgeführt:</source>
        <translation>Not done:</translation>
    </message>
    <message>
        <source>ohne Nr.</source>
        <translation>no number</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Geben</source>
        <translation>Give</translation>
    </message>
    <message>
        <source>Verwarnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Disqualifikation</source>
        <translation>Disqualification</translation>
    </message>
    <message>
        <source>Blaue Karte</source>
        <translation>Blue card</translation>
    </message>
</context>
<context>
    <name>Penalties</name>
    <message>
        <source>Strafe kontrollieren</source>
        <translation>Check the penalty</translation>
    </message>
    <message>
        <source> beim Starten der Strafe:</source>
        <translation> when starting the penalty:</translation>
    </message>
    <message>
        <source>Überlauf: das Ende der Strafe läge außerhalb der Spielzeit von -32768 bis 32767 Sekunden</source>
        <translation>Overflow: the end of the penalty would lie outside the match time of -32768 to 32767 seconds</translation>
    </message>
    <message>
        <source>Länge der Strafe und Spielzeit kontrollieren</source>
        <translation>Check the length of the penalty and the match clock</translation>
    </message>
    <message>
        <source>Länge der Strafe in Min eingeben</source>
        <translation>Enter the length of the penalty in minutes</translation>
    </message>
</context>
<context>
    <name>PenaltyLists</name>
    <message>
        <source>Strafe kontrollieren</source>
        <translation>Check the penalty</translation>
    </message>
    <message>
        <source> beim Starten der Strafe:</source>
        <translation> when starting the penalty:</translation>
    </message>
    <message>
        <source>Länge der Strafe in Min eingeben</source>
        <translation>Enter the length of the penalty in minutes</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: eine doppelte kleine Strafe kennt %2 nicht</source>
        <translation>&quot;%1&quot;: %2 has no double minor</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: als doppelte kleine Strafe kennt %2 nur %3+%3</source>
        <translation>&quot;%1&quot;: as a double minor %2 knows only %3+%3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine Länge über 0 bis 99 Minuten</source>
        <translation>&quot;%1&quot; is no length above 0 up to 99 minutes</translation>
    </message>
    <message>
        <source>Die Strafenliste von %1 ist voll: höchstens %2 Strafen je Mannschaft.<byte value="xd"/>
<byte value="xd"/>
Eine verbüßte, beendete oder entfernte Strafe macht Platz.</source>
        <translation>The penalty list of %1 is full: at most %2 penalties per team.<byte value="xd"/>
<byte value="xd"/>
A penalty served, ended or removed makes room.</translation>
    </message>
    <message>
        <source>Strafe</source>
        <translation>Penalty</translation>
    </message>
    <message>
        <source>#%1 von %2 ist vom Spiel ausgeschlossen.<byte value="xd"/>
<byte value="xd"/>
Trotzdem eine Strafe geben?</source>
        <translation>#%1 of %2 is out of the match.<byte value="xd"/>
<byte value="xd"/>
Give a penalty anyway?</translation>
    </message>
    <message>
        <source>wartet</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>gleichzeitig</source>
        <translation>coincident</translation>
    </message>
    <message>
        <source>Disqualifikation</source>
        <translation>Disqualification</translation>
    </message>
    <message>
        <source>Disqualifikation: #%1 %2</source>
        <translation>Disqualification: #%1 %2</translation>
    </message>
    <message>
        <source>#%1 von %2: %3. Strafe im Spiel – disqualifiziert.<byte value="xd"/>
<byte value="xd"/>
Die Mannschaft spielt die Strafe in Unterzahl; der Spieler spielt nicht mehr mit.</source>
        <translation>#%1 of %2: penalty %3 of the match – disqualified.<byte value="xd"/>
<byte value="xd"/>
The team plays the penalty short-handed; the player takes no further part.</translation>
    </message>
    <message>
        <source>Strafe beginnt: %1 %2</source>
        <translation>Penalty begins: %1 %2</translation>
    </message>
    <message>
        <source>Strafe verbüßt: %1 %2</source>
        <translation>Penalty served: %1 %2</translation>
    </message>
    <message>
        <source>Bitte zuerst eine Strafe in der Liste von %1 wählen.</source>
        <translation>Please choose a penalty in the list of %1 first.</translation>
    </message>
    <message>
        <source>Strafe entfernt: %1 %2</source>
        <translation>Penalty removed: %1 %2</translation>
    </message>
    <message>
        <source>Strafe beendet: %1 %2</source>
        <translation>Penalty ended: %1 %2</translation>
    </message>
    <message>
        <source>Strafe endet mit dem Tor: %1 %2</source>
        <translation>Penalty ends with the goal: %1 %2</translation>
    </message>
    <message>
        <source>Tor</source>
        <translation>Goal</translation>
    </message>
    <message>
        <source>  wartet</source>
        <translation>  waiting</translation>
    </message>
    <message>
        <source>  gleichzeitig</source>
        <translation>  coincident</translation>
    </message>
    <message>
        <source>  ausgeschlossen</source>
        <translation>  out</translation>
    </message>
    <message>
        <source>rote Karte</source>
        <translation>red card</translation>
    </message>
    <message>
        <source>%1. Strafe</source>
        <translation>penalty no. %1</translation>
    </message>
    <message>
        <source>Disqualifikation (rote Karte): #%1 %2</source>
        <translation>Disqualification (red card): #%1 %2</translation>
    </message>
    <message>
        <source>#%1 von %2 ist disqualifiziert (rote Karte); die Mannschaft spielt %3 Minuten in Unterzahl.<byte value="xd"/>
<byte value="xd"/>
Folgt ein schriftlicher Bericht (blaue Karte)?</source>
        <translation>#%1 of %2 is disqualified (red card); the team plays %3 minutes short.<byte value="xd"/>
<byte value="xd"/>
Does a written report follow (blue card)?</translation>
    </message>
    <message>
        <source>Blaue Karte: #%1 %2</source>
        <translation>Blue card: #%1 %2</translation>
    </message>
    <message>
        <source>  verwarnt</source>
        <translation>  warned</translation>
    </message>
    <message>
        <source>  Bericht</source>
        <translation>  report</translation>
    </message>
</context>
<context>
    <name>Periods</name>
    <message>
        <source>Die Sportart mitten im Spiel wählen?<byte value="xd"/>
<byte value="xd"/>
Der Spielstand bleibt; Spielzeit, Abschnitt, Strafen und Timeouts beginnen neu.</source>
        <translation>Choose the sport in the middle of the match?<byte value="xd"/>
<byte value="xd"/>
The score stays; match clock, period, penalties and time-outs start anew.</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source> +++ Sportart: %1</source>
        <translation> +++ Sport: %1</translation>
    </message>
    <message>
        <source>%1: %2 min</source>
        <translation>%1: %2 min</translation>
    </message>
    <message>
        <source>Spielende</source>
        <translation>End of match</translation>
    </message>
    <message>
        <source>Verlängerung</source>
        <translation>Overtime</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>Ende %1</source>
        <translation>End of %1</translation>
    </message>
    <message>
        <source>Verlängerung spielen?</source>
        <translation>Play overtime?</translation>
    </message>
    <message>
        <source>%1 jetzt beenden?</source>
        <translation>End %1 now?</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Die Spielzeit steht bei %1:%2.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
The match clock stands at %1:%2.</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source> +++ Fernbedienung erlaubt</source>
        <translation> +++ Remote control allowed</translation>
    </message>
    <message>
        <source> +++ Fernbedienung gesperrt</source>
        <translation> +++ Remote control blocked</translation>
    </message>
    <message>
        <source> +++ Übersetzung %1 nicht gefunden: Marklight spricht Deutsch</source>
        <translation> +++ Translation %1 not found: Marklight speaks German</translation>
    </message>
    <message>
        <source>die Spielzeit</source>
        <translation>the match clock</translation>
    </message>
    <message>
        <source>ein Timeout</source>
        <translation>a time-out</translation>
    </message>
    <message>
        <source>eine Pause</source>
        <translation>a break</translation>
    </message>
    <message>
        <source>eine Strafe</source>
        <translation>a penalty</translation>
    </message>
    <message>
        <source>Es läuft noch %1.<byte value="xd"/>
<byte value="xd"/>
Marklight beenden?</source>
        <translation>Still running: %1.<byte value="xd"/>
<byte value="xd"/>
Quit Marklight?</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Tastenkürzel</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source> +++ MQTT: Broker %1, Halle %2, Feld %3</source>
        <translation> +++ MQTT: broker %1, hall %2, court %3</translation>
    </message>
    <message>
        <source> +++ Tor %1 (%2, %3): %4</source>
        <translation> +++ Goal %1 (%2, %3): %4</translation>
    </message>
    <message>
        <source>ohne Nr.</source>
        <translation>without no.</translation>
    </message>
    <message>
        <source>Nr. des Spielers eingeben, dann Enter</source>
        <translation>Type the player&apos;s number, then Enter</translation>
    </message>
</context>
<context>
    <name>RecordWriter</name>
    <message>
        <source>Spielbericht speichern</source>
        <translation>Save match report</translation>
    </message>
    <message>
        <source>Spielbericht kann nicht gespeichert werden: </source>
        <translation>The match report cannot be saved: </translation>
    </message>
    <message>
        <source> +++ Spielbericht gespeichert: </source>
        <translation> +++ Match report saved: </translation>
    </message>
    <message>
        <source>kein PDF-Druck verfügbar</source>
        <translation>no PDF writer available</translation>
    </message>
    <message>
        <source>Spielbericht als PDF</source>
        <translation>Match report as PDF</translation>
    </message>
    <message>
        <source>Spielbericht kann nicht gespeichert werden: %1 (%2)</source>
        <translation>Match report cannot be saved: %1 (%2)</translation>
    </message>
    <message>
        <source>Spielbericht gespeichert: %1</source>
        <translation>Match report saved: %1</translation>
    </message>
</context>
<context>
    <name>SecondLineDialog</name>
    <message>
        <source>Seiten gespiegelt</source>
        <translation>Sides mirrored</translation>
    </message>
    <message>
        <source>Zweite Anzeigelinie</source>
        <translation>Second display line</translation>
    </message>
    <message>
        <source>COM-Port der zweiten Anzeigelinie (&quot;COM-Ports prüfen&quot; listet sie neu)</source>
        <translation>COM port of the second display line (&quot;Check COM ports&quot; lists them anew)</translation>
    </message>
    <message>
        <source>Für eine Anzeigelinie am anderen Ende der Halle: Heim steht rechts, Gegner links. Unabhängig von &quot;Spiegeln&quot; der ersten Anzeigelinie.</source>
        <translation>For a display line at the other end of the hall: home on the right, guest on the left. Apart from &quot;Mirror&quot; of the first display line.</translation>
    </message>
    <message>
        <source>COM-Port:</source>
        <translation>COM port:</translation>
    </message>
    <message>
        <source>Baudrate:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>geöffnet: COM %1</source>
        <translation>open: COM %1</translation>
    </message>
    <message>
        <source>geschlossen</source>
        <translation>closed</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>Benutzer zur Gruppe dialout hinzufügen: sudo usermod -aG dialout $USER, dann neu anmelden</source>
        <translation>Add the user to the group dialout: sudo usermod -aG dialout $USER, then log in again</translation>
    </message>
    <message>
        <source>Ist der Adapter eingesteckt und mit der Anzeigelinie verbunden? Danach unter Extras &quot;COM-Ports prüfen&quot; wählen. Unter Linux erscheint ein USB-Adapter als /dev/ttyUSB0 oder /dev/ttyACM0 (ls -l /dev/ttyUSB* /dev/ttyACM*).</source>
        <translation>Is the adapter plugged in and connected to the display line? Then choose &quot;Check COM ports&quot; under Tools. On Linux a USB adapter appears as /dev/ttyUSB0 or /dev/ttyACM0 (ls -l /dev/ttyUSB* /dev/ttyACM*).</translation>
    </message>
    <message>
        <source>Schreibfehler</source>
        <translation>write error</translation>
    </message>
    <message>
        <source> +++ Vorhandene COM-Ports abfragen</source>
        <translation> +++ Looking for COM ports</translation>
    </message>
    <message>
        <source> +++ COM-Port %1 (%2): keine Berechtigung</source>
        <translation> +++ COM port %1 (%2): no permission</translation>
    </message>
    <message>
        <source> +++ Kein Comport verfügbar</source>
        <translation> +++ No COM port available</translation>
    </message>
    <message>
        <source> +++ %1 Comport(s) verfügbar</source>
        <translation> +++ %1 COM port(s) available</translation>
    </message>
    <message>
        <source> +++ Versuch den COM-Port %1 zu öffnen</source>
        <translation> +++ Trying to open COM port %1</translation>
    </message>
    <message>
        <source>Vorhanden, aber ohne Berechtigung: </source>
        <translation>Present, but without permission: </translation>
    </message>
    <message>
        <source>Fehler! Sind eventuell keine COM-Ports vorhanden?<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Error! Are there no COM ports perhaps?<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source> +++ COM-Port 0 kann nicht geöffnet werden </source>
        <translation> +++ COM port 0 cannot be opened </translation>
    </message>
    <message>
        <source>COM-Port %1 ist schon die zweite Anzeigelinie (%2).</source>
        <translation>COM port %1 is the second display line already (%2).</translation>
    </message>
    <message>
        <source> +++ COM-Port %1 kann nicht geöffnet werden</source>
        <translation> +++ COM port %1 cannot be opened</translation>
    </message>
    <message>
        <source>Fehler! Sind eventuell keine COM-Ports vorhanden oder die Einstellungen falsch?</source>
        <translation>Error! Are there no COM ports perhaps, or are the settings wrong?</translation>
    </message>
    <message>
        <source> +++ COM-Port %1 wurde geöffnet</source>
        <translation> +++ COM port %1 opened</translation>
    </message>
    <message>
        <source> +++ Versuch den COM-Port %1 zu schließen</source>
        <translation> +++ Trying to close COM port %1</translation>
    </message>
    <message>
        <source>Fehler beim Schließen des Ports %1</source>
        <translation>Error closing port %1</translation>
    </message>
    <message>
        <source> +++ COM-Port %1 kann nicht geschlossen werden</source>
        <translation> +++ COM port %1 cannot be closed</translation>
    </message>
    <message>
        <source> +++ COM-Port %1 geschlossen</source>
        <translation> +++ COM port %1 closed</translation>
    </message>
    <message>
        <source>Anzeigelinie 1: </source>
        <translation>Display line 1: </translation>
    </message>
    <message>
        <source>COM-Port %1 ausgefallen: %2</source>
        <translation>COM port %1 failed: %2</translation>
    </message>
    <message>
        <source>COM-Port %1 wird von einem anderen Programm benutzt (%2)</source>
        <translation>COM port %1 is used by another program (%2)</translation>
    </message>
    <message>
        <source>Fehler! </source>
        <translation>Error! </translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Keine Berechtigung für %1.<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
No permission for %1.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source> +++ Anzeigelinie 2: Versuch den COM-Port %1 zu öffnen</source>
        <translation> +++ Display line 2: trying to open COM port %1</translation>
    </message>
    <message>
        <source>COM-Port %1 ist schon die erste Anzeigelinie (%2). Die zweite Anzeigelinie braucht einen eigenen COM-Port.</source>
        <translation>COM port %1 is the first display line already (%2). The second display line needs a COM port of its own.</translation>
    </message>
    <message>
        <source> +++ Anzeigelinie 2: COM-Port %1 kann nicht geöffnet werden</source>
        <translation> +++ Display line 2: COM port %1 cannot be opened</translation>
    </message>
    <message>
        <source>Fehler! Die zweite Anzeigelinie kann COM-Port %1 nicht öffnen.</source>
        <translation>Error! The second display line cannot open COM port %1.</translation>
    </message>
    <message>
        <source> +++ Anzeigelinie 2: COM-Port %1 wurde geöffnet</source>
        <translation> +++ Display line 2: COM port %1 opened</translation>
    </message>
    <message>
        <source> +++ Anzeigelinie 2: COM-Port %1 geschlossen</source>
        <translation> +++ Display line 2: COM port %1 closed</translation>
    </message>
    <message>
        <source> +++ Anzeigelinie 2: COM-Port %1 kann nicht geschlossen werden</source>
        <translation> +++ Display line 2: COM port %1 cannot be closed</translation>
    </message>
    <message>
        <source>Anzeigelinie 2: COM-Port %1 ausgefallen: %2</source>
        <translation>Display line 2: COM port %1 failed: %2</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source> +++ Eigene Sportarten nicht lesbar (%1), es gelten die eingebauten</source>
        <translation> +++ Own sports unreadable (%1), the built-in ones apply</translation>
    </message>
    <message>
        <source> +++ Tastenbelegung in den Einstellungen unlesbar: es gelten die Standardtasten</source>
        <translation> +++ Key table in the settings unreadable: the standard keys apply</translation>
    </message>
    <message>
        <source> +++ Die Schlüsseldatei der Fernbedienung war auch für andere lesbar; jetzt darf nur noch dieser Benutzer sie lesen</source>
        <translation> +++ The remote&apos;s key file was readable by others too; now only this user may read it</translation>
    </message>
</context>
<context>
    <name>SportDialog</name>
    <message>
        <source>keine Grenze</source>
        <translation>no limit</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>die Pausen nach jedem Abschnitt außer dem letzten, in Minuten, durch Kommas getrennt (&quot;2, 15, 2&quot;)</source>
        <translation>the breaks after each period but the last, in minutes, separated by commas (&quot;2, 15, 2&quot;)</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>die Längen der Strafen in Minuten, die erste ist vorgegeben (&quot;2, 5, 10&quot;); leer: keine Zeitstrafen</source>
        <translation>the lengths of the penalties in minutes, the first is the default (&quot;2, 5, 10&quot;); empty: no timed penalties</translation>
    </message>
    <message>
        <source>keine Timeouts</source>
        <translation>no time-outs</translation>
    </message>
    <message>
        <source>je Spielhälfte, zwei Zahlen (&quot;2, 3&quot;); leer: keine Grenze</source>
        <translation>per half, two numbers (&quot;2, 3&quot;); empty: no limit</translation>
    </message>
    <message>
        <source>keine Regel</source>
        <translation>no rule</translation>
    </message>
    <message>
        <source>Spielzeit</source>
        <translation>Playing time</translation>
    </message>
    <message>
        <source>Abschnitte:</source>
        <translation>Periods:</translation>
    </message>
    <message>
        <source>Länge:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Name des Abschnitts:</source>
        <translation>Name of a period:</translation>
    </message>
    <message>
        <source>Pausen (min):</source>
        <translation>Breaks (min):</translation>
    </message>
    <message>
        <source>Verlängerung:</source>
        <translation>Overtime:</translation>
    </message>
    <message>
        <source>  Länge:</source>
        <translation>  Length:</translation>
    </message>
    <message>
        <source>  Pause davor:</source>
        <translation>  Break before:</translation>
    </message>
    <message>
        <source>  Pause dazwischen:</source>
        <translation>  Break between:</translation>
    </message>
    <message>
        <source>Strafen und Timeouts</source>
        <translation>Penalties and time-outs</translation>
    </message>
    <message>
        <source>Strafen (min):</source>
        <translation>Penalties (min):</translation>
    </message>
    <message>
        <source>Höchstens zugleich:</source>
        <translation>At most at once:</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Time-out:</translation>
    </message>
    <message>
        <source>  je Spiel:</source>
        <translation>  per match:</translation>
    </message>
    <message>
        <source>  je Spielhälfte:</source>
        <translation>  per half:</translation>
    </message>
    <message>
        <source>  in den letzten:</source>
        <translation>  in the last:</translation>
    </message>
    <message>
        <source>  höchstens dann:</source>
        <translation>  at most then:</translation>
    </message>
    <message>
        <source>  je Verlängerung:</source>
        <translation>  per overtime:</translation>
    </message>
    <message>
        <source>Wählen</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>das Spiel folgt den Regeln dieser Sportart</source>
        <translation>the match follows the rules of this sport</translation>
    </message>
    <message>
        <source>Kopieren…</source>
        <translation>Copy…</translation>
    </message>
    <message>
        <source>eine eigene Sportart nach dieser anlegen</source>
        <translation>make an own sport from this one</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ohne Regeln: Spielzeit, Strafen und Timeouts laufen, wie der Zeitnehmer sie bedient.</source>
        <translation>Without rules: clock, penalties and time-outs run as the timekeeper works them.</translation>
    </message>
    <message>
        <source>Eigene Sportart: Werte ändern und speichern.</source>
        <translation>Own sport: change the figures and save.</translation>
    </message>
    <message>
        <source>Eingebaut: zum Ändern zuerst kopieren.</source>
        <translation>Built in: copy it first to change it.</translation>
    </message>
    <message>
        <source>Pausen, Strafen und Timeouts je Spielhälfte als Zahlen mit Kommas eingeben</source>
        <translation>Enter breaks, penalties and time-outs per half as numbers with commas</translation>
    </message>
    <message>
        <source>Sportart kopieren</source>
        <translation>Copy sport</translation>
    </message>
    <message>
        <source>Name der eigenen Sportart:</source>
        <translation>Name of the own sport:</translation>
    </message>
    <message>
        <source> (Verein)</source>
        <translation> (club)</translation>
    </message>
    <message>
        <source>Nicht kopiert: </source>
        <translation>Not copied: </translation>
    </message>
    <message>
        <source>Nicht gespeichert: </source>
        <translation>Not saved: </translation>
    </message>
    <message>
        <source>Das Spiel folgt gerade dieser Sportart: zuerst eine andere wählen.</source>
        <translation>The match follows this sport now: choose another one first.</translation>
    </message>
    <message>
        <source>Halle (für den Spielbericht):</source>
        <translation>Hall (for the match report):</translation>
    </message>
    <message>
        <source>Heim</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Gegner</source>
        <translation>Guest</translation>
    </message>
    <message>
        <source>Farbe Heim</source>
        <translation>Home colour</translation>
    </message>
    <message>
        <source>Farbe Gegner</source>
        <translation>Guest colour</translation>
    </message>
    <message>
        <source>Rot und Blau</source>
        <translation>Red and blue</translation>
    </message>
    <message>
        <source>Farben der Mannschaften:</source>
        <translation>Team colours:</translation>
    </message>
</context>
<context>
    <name>SportRules</name>
    <message>
        <source>&quot;%1&quot; ist keine Länge von %2 bis 99 Minuten</source>
        <translation>&quot;%1&quot; is no length from %2 up to 99 minutes</translation>
    </message>
    <message>
        <source>über 0</source>
        <translation>above 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine ganze Zahl von %2 bis %3</source>
        <translation>&quot;%1&quot; is no whole number from %2 to %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist weder true noch false</source>
        <translation>&quot;%1&quot; is neither true nor false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; fehlt oder ist kein Name bis 32 Zeichen</source>
        <translation>&quot;%1&quot; is missing or no name of up to 32 characters</translation>
    </message>
    <message>
        <source>&quot;perHalf&quot; hat nicht zwei Zahlen</source>
        <translation>&quot;perHalf&quot; does not hold two numbers</translation>
    </message>
    <message>
        <source>&quot;kinds&quot; ist keine Liste von höchstens 6 Strafen</source>
        <translation>&quot;kinds&quot; is no list of at most 6 penalties</translation>
    </message>
    <message>
        <source>&quot;id&quot; fehlt oder ist nicht aus a-z, 0-9 und -</source>
        <translation>&quot;id&quot; is missing or not made of a-z, 0-9 and -</translation>
    </message>
    <message>
        <source>&quot;breaks&quot; hat nicht eine Pause weniger als Abschnitte</source>
        <translation>&quot;breaks&quot; does not hold one break less than periods</translation>
    </message>
    <message>
        <source>Frei</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>Handball</source>
        <translation>Handball</translation>
    </message>
    <message>
        <source>Handball Jugend</source>
        <translation>Handball youth</translation>
    </message>
    <message>
        <source>Handball Jugend 2 × 20</source>
        <translation>Handball youth 2 × 20</translation>
    </message>
    <message>
        <source>Floorball</source>
        <translation>Floorball</translation>
    </message>
    <message>
        <source>Eishockey</source>
        <translation>Ice hockey</translation>
    </message>
    <message>
        <source>Basketball</source>
        <translation>Basketball</translation>
    </message>
    <message>
        <source>Futsal</source>
        <translation>Futsal</translation>
    </message>
    <message>
        <source>%1. Halbzeit</source>
        <translation>Half %1</translation>
    </message>
    <message>
        <source>%1. Drittel</source>
        <translation>Period %1</translation>
    </message>
    <message>
        <source>%1. Viertel</source>
        <translation>Quarter %1</translation>
    </message>
    <message>
        <source>Verlängerung</source>
        <translation>Overtime</translation>
    </message>
    <message>
        <source>%1. Verlängerung</source>
        <translation>Overtime %1</translation>
    </message>
    <message>
        <source>kein JSON (%1 bei Zeichen %2)</source>
        <translation>no JSON (%1 at character %2)</translation>
    </message>
    <message>
        <source>keine Sportarten-Datei von Marklight (format, version, sports)</source>
        <translation>no sports file of Marklight (format, version, sports)</translation>
    </message>
    <message>
        <source>Sportart %1: </source>
        <translation>Sport %1: </translation>
    </message>
    <message>
        <source>&quot;%1&quot; gibt es zweimal</source>
        <translation>&quot;%1&quot; is there twice</translation>
    </message>
    <message>
        <source>der Name fehlt oder ist länger als 32 Zeichen</source>
        <translation>the name is missing or longer than 32 characters</translation>
    </message>
    <message>
        <source>1 bis 9 Abschnitte von 1 bis 99 Minuten mit einem Namen</source>
        <translation>1 to 9 periods of 1 to 99 minutes with a name</translation>
    </message>
    <message>
        <source>0 bis 4 Abschnitte Verlängerung von 1 bis 99 Minuten</source>
        <translation>0 to 4 overtime periods of 1 to 99 minutes</translation>
    </message>
    <message>
        <source>bis zu 6 Strafen von 1 bis 99 Minuten, höchstens 8 zugleich</source>
        <translation>up to 6 penalties of 1 to 99 minutes, at most 8 at once</translation>
    </message>
    <message>
        <source>Timeouts von 0 bis 99 Minuten, Grenzen von 0 bis 9</source>
        <translation>time-outs of 0 to 99 minutes, limits from 0 to 9</translation>
    </message>
    <message>
        <source>den Namen &quot;%1&quot; trägt schon eine andere Sportart</source>
        <translation>another sport already bears the name &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist eingebaut und bleibt, wie sie ist</source>
        <translation>&quot;%1&quot; is built in and stays as it is</translation>
    </message>
    <message>
        <source>Halbzeit</source>
        <translation>Half</translation>
    </message>
    <message>
        <source>Drittel</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Viertel</source>
        <translation>Quarter</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Bonus</translation>
    </message>
    <message>
        <source>6. Foul</source>
        <translation>6th foul</translation>
    </message>
    <message>
        <source>Fouls: Grenzen von 0 bis 20, eine Marke bis 32 Zeichen</source>
        <translation>fouls: limits from 0 to 20, a mark of up to 32 characters</translation>
    </message>
    <message>
        <source>Fouls oder Karten, nicht beides</source>
        <translation>fouls or cards, not both</translation>
    </message>
</context>
<context>
    <name>StateStore</name>
    <message>
        <source>Das letzte Spiel wurde nicht beendet (Stand %1). Fortsetzen?</source>
        <translation>The last match was not ended (as of %1). Resume it?</translation>
    </message>
    <message>
        <source>Marklight läuft bereits. Dieses Fenster speichert den Spielstand nicht und kann kein Spiel fortsetzen.</source>
        <translation>Marklight is already running. This window does not save the match and cannot resume one.</translation>
    </message>
    <message>
        <source> +++ Marklight läuft bereits: Spielstand wird nicht gespeichert</source>
        <translation> +++ Marklight is already running: the match is not saved</translation>
    </message>
    <message>
        <source> +++ Gespeicherter Spielstand nicht lesbar</source>
        <translation> +++ Saved match unreadable</translation>
    </message>
    <message>
        <source>, aufbewahrt als </source>
        <translation>, kept as </translation>
    </message>
    <message>
        <source> +++ Letzter Spielstand aufbewahrt als </source>
        <translation> +++ Last match kept as </translation>
    </message>
    <message>
        <source> +++ Spiel fortgesetzt (Stand %1)</source>
        <translation> +++ Match resumed (as of %1)</translation>
    </message>
    <message>
        <source> +++ COM-Port %1 nicht vorhanden</source>
        <translation> +++ COM port %1 not present</translation>
    </message>
    <message>
        <source>Spielstand kann nicht gespeichert werden: </source>
        <translation>The match cannot be saved: </translation>
    </message>
    <message>
        <source>Spielstand wird wieder gespeichert</source>
        <translation>The match is saved again</translation>
    </message>
    <message>
        <source>Einstellungen können nicht gespeichert werden: </source>
        <translation>The settings cannot be saved: </translation>
    </message>
    <message>
        <source>Einstellungen werden wieder gespeichert</source>
        <translation>The settings are saved again</translation>
    </message>
    <message>
        <source>Spielbericht kann nicht mitgeschrieben werden: </source>
        <translation>The match record cannot be written: </translation>
    </message>
    <message>
        <source>Spielbericht wird wieder mitgeschrieben</source>
        <translation>The match record is written again</translation>
    </message>
    <message>
        <source> +++ Anzeigelinie 2: COM-Port %1 nicht vorhanden</source>
        <translation> +++ Display line 2: COM port %1 not present</translation>
    </message>
</context>
<context>
    <name>TeamTimeouts</name>
    <message>
        <source>1 Timeout</source>
        <translation>1 time-out</translation>
    </message>
    <message>
        <source>%1 Timeouts</source>
        <translation>%1 time-outs</translation>
    </message>
    <message>
        <source>in der Verlängerung kein Timeout</source>
        <translation>no time-out in overtime</translation>
    </message>
    <message>
        <source>höchstens %1 im Spiel</source>
        <translation>at most %1 in the match</translation>
    </message>
    <message>
        <source>höchstens %1 je Verlängerung</source>
        <translation>at most %1 per overtime</translation>
    </message>
    <message>
        <source>höchstens %1 in der %2</source>
        <translation>at most %1 in %2</translation>
    </message>
    <message>
        <source>%1. Spielhälfte</source>
        <translation>half %1</translation>
    </message>
    <message>
        <source>höchstens %1 in den letzten %2 Minuten</source>
        <translation>at most %1 in the last %2 minutes</translation>
    </message>
    <message>
        <source>Timeout %1</source>
        <translation>Time-out %1</translation>
    </message>
    <message>
        <source>%1?<byte value="xd"/>
<byte value="xd"/>
Die Regeln (%2) erlauben es nicht: %3.<byte value="xd"/>
<byte value="xd"/>
Trotzdem geben?</source>
        <translation>%1?<byte value="xd"/>
<byte value="xd"/>
The rules (%2) do not allow it: %3.<byte value="xd"/>
<byte value="xd"/>
Give it all the same?</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source>%1 gegen die Regel gegeben: %2</source>
        <translation>%1 given against the rule: %2</translation>
    </message>
    <message>
        <source>%1 nicht gegeben: %2</source>
        <translation>%1 not given: %2</translation>
    </message>
    <message>
        <source>gegen die Regel: %1</source>
        <translation>against the rule: %1</translation>
    </message>
</context>
<context>
    <name>UndoHistory</name>
    <message>
        <source>Name Heim</source>
        <translation>Home name</translation>
    </message>
    <message>
        <source>Name Gegner</source>
        <translation>Guest name</translation>
    </message>
    <message>
        <source>Spielstand Heim</source>
        <translation>Home score</translation>
    </message>
    <message>
        <source>Spielstand Gegner</source>
        <translation>Guest score</translation>
    </message>
    <message>
        <source>Spielzeit Minuten</source>
        <translation>Match clock minutes</translation>
    </message>
    <message>
        <source>Spielzeit Sekunden</source>
        <translation>Match clock seconds</translation>
    </message>
    <message>
        <source>Startwert</source>
        <translation>Start value</translation>
    </message>
    <message>
        <source> +++ Rückgängig: </source>
        <translation> +++ Undo: </translation>
    </message>
    <message>
        <source> +++ Wiederholen: </source>
        <translation> +++ Redo: </translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Kein Tor gewählt</source>
        <translation>No goal chosen</translation>
    </message>
    <message>
        <source>Nr. beim Tor</source>
        <translation>No. of a goal</translation>
    </message>
</context>
<context>
    <name>WebDialog</name>
    <message>
        <source>Neuen Schlüssel erzeugen</source>
        <translation>Make a new key</translation>
    </message>
    <message>
        <source>Fernbedienung erlauben (Strg+F)</source>
        <translation>Allow remote control (Ctrl+F)</translation>
    </message>
    <message>
        <source>Netzwerk</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Webseiten anbieten</source>
        <translation>Offer the web pages</translation>
    </message>
    <message>
        <source>Hallenuhr, Overlay und Anzeige im Browser, live</source>
        <translation>Hall clock, overlay and display in the browser, live</translation>
    </message>
    <message>
        <source>nur auf diesem Computer (127.0.0.1)</source>
        <translation>on this computer only (127.0.0.1)</translation>
    </message>
    <message>
        <source>im Netzwerk der Halle</source>
        <translation>in the hall&apos;s network</translation>
    </message>
    <message>
        <source>Jeder in diesem Netzwerk kann das Spiel sehen.</source>
        <translation>Everyone in this network can see the match.</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Für diesen Lauf mit --web gestartet.</source>
        <translation>Started with --web for this run.</translation>
    </message>
    <message>
        <source>Fernbedienung (Telefon, Tablet)</source>
        <translation>Remote control (phone, tablet)</translation>
    </message>
    <message>
        <source>Alle gekoppelten Geräte werden getrennt und müssen den neuen QR-Code scannen.</source>
        <translation>Every paired device is cut off and must scan the new QR code.</translation>
    </message>
    <message>
        <source> +++ Fernbedienung: neuer Schlüssel, gekoppelte Geräte getrennt</source>
        <translation> +++ Remote control: new key, paired devices cut off</translation>
    </message>
    <message>
        <source>Verbunden:</source>
        <translation>Connected:</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source> – zuletzt: %1 (%2)</source>
        <translation> – last: %1 (%2)</translation>
    </message>
    <message>
        <source>Die Fernbedienung braucht die Webseiten.</source>
        <translation>Remote control needs the web pages.</translation>
    </message>
    <message>
        <source>Mit dem Telefon scannen oder dort öffnen:
</source>
        <translation>Scan with the phone or open there:
</translation>
    </message>
    <message>
        <source>Die Webseiten sind aus.</source>
        <translation>The web pages are off.</translation>
    </message>
    <message>
        <source>Seiten:</source>
        <translation>Pages:</translation>
    </message>
    <message>
        <source>Abgewiesen, weil alle %1 Plätze belegt waren: zuletzt %2 (%3) um %4, insgesamt %5</source>
        <translation>Refused because all %1 places were taken: last %2 (%3) at %4, %5 in all</translation>
    </message>
    <message>
        <source>MQTT-Broker (Turnier, viele Zuschauer)</source>
        <translation>MQTT broker (tournament, many viewers)</translation>
    </message>
    <message>
        <source>Spielstand an MQTT-Broker senden</source>
        <translation>Send the match to an MQTT broker</translation>
    </message>
    <message>
        <source>TLS (Zertifikat des Brokers wird geprüft)</source>
        <translation>TLS (the broker&apos;s certificate is checked)</translation>
    </message>
    <message>
        <source>z. B. 192.168.1.10 oder broker.halle.de</source>
        <translation>e.g. 192.168.1.10 or broker.hall.org</translation>
    </message>
    <message>
        <source>leer: die Zertifizierungsstellen des Systems</source>
        <translation>empty: the system&apos;s certificate authorities</translation>
    </message>
    <message>
        <source>Wählen…</source>
        <translation>Choose…</translation>
    </message>
    <message>
        <source>CA-Zertifikat</source>
        <translation>CA certificate</translation>
    </message>
    <message>
        <source>Zertifikate (*.crt *.pem);;Alle (*)</source>
        <translation>Certificates (*.crt *.pem);;All (*)</translation>
    </message>
    <message>
        <source>keins</source>
        <translation>none</translation>
    </message>
    <message>
        <source>gespeichert</source>
        <translation>kept</translation>
    </message>
    <message>
        <source>z. B. halle1</source>
        <translation>e.g. hall1</translation>
    </message>
    <message>
        <source>z. B. feld1</source>
        <translation>e.g. court1</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Broker:</source>
        <translation>Broker:</translation>
    </message>
    <message>
        <source>CA-Datei:</source>
        <translation>CA file:</translation>
    </message>
    <message>
        <source>Benutzer:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Passwort:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Halle:</source>
        <translation>Hall:</translation>
    </message>
    <message>
        <source>Feld:</source>
        <translation>Court:</translation>
    </message>
    <message>
        <source>Für diesen Lauf mit --mqtt gestartet.</source>
        <translation>Started with --mqtt for this run.</translation>
    </message>
    <message>
        <source>Broker: nur ein Rechnername oder eine IP-Adresse, ohne mqtt:// und Port.</source>
        <translation>Broker: a host name or an IP address only, without mqtt:// and port.</translation>
    </message>
    <message>
        <source>CA-Datei und Benutzer: ohne Steuerzeichen.</source>
        <translation>CA file and user: no control characters.</translation>
    </message>
    <message>
        <source>Halle und Feld: höchstens 64 Zeichen, ohne /, +, # und Steuerzeichen.</source>
        <translation>Hall and court: at most 64 characters, no /, +, # or control characters.</translation>
    </message>
    <message>
        <source> +++ MQTT: Passwort nicht gespeichert (%1)</source>
        <translation> +++ MQTT: password not kept (%1)</translation>
    </message>
    <message>
        <source>Aus.</source>
        <translation>Off.</translation>
    </message>
    <message>
        <source>Keine Verbindung: %1</source>
        <translation>No connection: %1</translation>
    </message>
    <message>
        <source>Verbunden: %1:%2, Themen marklight/%3/%4/…</source>
        <translation>Connected: %1:%2, topics marklight/%3/%4/…</translation>
    </message>
    <message>
        <source>Verbinde …</source>
        <translation>Connecting …</translation>
    </message>
</context>
<context>
    <name>ml::BrokerSettings</name>
    <message>
        <source>nur mqtt:// oder mqtts://</source>
        <translation>only mqtt:// or mqtts://</translation>
    </message>
    <message>
        <source>erwartet wird HOST/HALLE/FELD</source>
        <translation>HOST/HALL/COURT expected</translation>
    </message>
    <message>
        <source>Halle und Feld: ohne /, +, # und Steuerzeichen, höchstens 64 Zeichen</source>
        <translation>hall and court: no /, +, # or control characters, at most 64 characters</translation>
    </message>
    <message>
        <source>der Benutzername ist leer oder enthält ein Passwort</source>
        <translation>the user name is empty or holds a password</translation>
    </message>
    <message>
        <source>die Adresse ist unvollständig</source>
        <translation>the address is incomplete</translation>
    </message>
    <message>
        <source>die Adresse des Brokers fehlt oder ist keine</source>
        <translation>the broker&apos;s address is missing or is none</translation>
    </message>
    <message>
        <source>der Port ist keine Zahl von 1 bis 65535</source>
        <translation>the port is no number from 1 to 65535</translation>
    </message>
</context>
<context>
    <name>ml::DialogSetting</name>
    <message>
        <source>ein</source>
        <translation>on</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Hupe: </source>
        <translation>Horn: </translation>
    </message>
    <message>
        <source>Hupe: Länge %1 s</source>
        <translation>Horn: length %1 s</translation>
    </message>
    <message>
        <source>,</source>
        <comment>the decimal sign</comment>
        <translation>.</translation>
    </message>
    <message>
        <source>Hupe: Lautstärke %1 %</source>
        <translation>Horn: volume %1 %</translation>
    </message>
    <message>
        <source>Hupe: Uhr bei 0:00 anhalten</source>
        <translation>Horn: stop the clock at 0:00</translation>
    </message>
    <message>
        <source>Hupe: Uhr läuft unter 0:00 weiter</source>
        <translation>Horn: the clock runs on below 0:00</translation>
    </message>
    <message>
        <source>Netzwerk: Webseiten </source>
        <translation>Network: web pages </translation>
    </message>
    <message>
        <source>Netzwerk: Port %1</source>
        <translation>Network: port %1</translation>
    </message>
    <message>
        <source>Netzwerk: im Netzwerk der Halle</source>
        <translation>Network: in the hall&apos;s network</translation>
    </message>
    <message>
        <source>Netzwerk: nur auf diesem Computer</source>
        <translation>Network: on this computer only</translation>
    </message>
    <message>
        <source>MQTT: Spielstand senden </source>
        <translation>MQTT: sending the match </translation>
    </message>
    <message>
        <source>MQTT: Port %1</source>
        <translation>MQTT: port %1</translation>
    </message>
    <message>
        <source>MQTT: TLS </source>
        <translation>MQTT: TLS </translation>
    </message>
    <message>
        <source>Uhr bei 0:00 anhalten</source>
        <translation>Stop the clock at 0:00</translation>
    </message>
    <message>
        <source>Die abwärts laufende Spielzeit bleibt bei 0:00 stehen, statt unter null weiterzulaufen</source>
        <translation>A clock counting down stops at 0:00 instead of running on below zero</translation>
    </message>
</context>
<context>
    <name>ml::Horn</name>
    <message>
        <source>kein Audiogerät</source>
        <translation>no audio device</translation>
    </message>
    <message>
        <source>Audiogerät ausgefallen</source>
        <translation>audio device failed</translation>
    </message>
    <message>
        <source>Audiogerät lässt sich nicht öffnen</source>
        <translation>audio device cannot be opened</translation>
    </message>
</context>
<context>
    <name>ml::MatchReport</name>
    <message>
        <source>Spielbericht
Datum: %1
Sportart: %2
Mannschaften: %3 - %4
Endstand: %5
Spielzeit: %6
</source>
        <translation>Match report
Date: %1
Sport: %2
Teams: %3 - %4
Final score: %5
Match clock: %6
</translation>
    </message>
    <message>
        <source>Fouls;%1;%2<byte value="xd"/>
</source>
        <translation>Fouls;%1;%2<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Fouls: %1 %2, %3 %4
</source>
        <translation>Fouls: %1 %2, %3 %4
</translation>
    </message>
    <message>
        <source>Spielbericht;<byte value="xd"/>
Datum;%1<byte value="xd"/>
Sportart;%2<byte value="xd"/>
Mannschaft links;%3<byte value="xd"/>
Mannschaft rechts;%4<byte value="xd"/>
Endstand;%5<byte value="xd"/>
Spielzeit;%6<byte value="xd"/>
<byte value="xd"/>
Abschnitt;Zeit;Spielzeit;Uhr;Mannschaft;Ereignis;Nr.;Vorlagen;Stand<byte value="xd"/>
</source>
        <translation>Match report;<byte value="xd"/>
Date;%1<byte value="xd"/>
Sport;%2<byte value="xd"/>
Team left;%3<byte value="xd"/>
Team right;%4<byte value="xd"/>
Final score;%5<byte value="xd"/>
Match clock;%6<byte value="xd"/>
<byte value="xd"/>
Period;Time;Match time;Clock;Team;Event;No.;Assists;Score<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
;%1;%2<byte value="xd"/>
Strafen;%3;%4<byte value="xd"/>
Strafminuten;%5;%6<byte value="xd"/>
Timeouts;%7;%8<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
;%1;%2<byte value="xd"/>
Penalties;%3;%4<byte value="xd"/>
Penalty minutes;%5;%6<byte value="xd"/>
Time-outs;%7;%8<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>
Strafen: %1 %2, %3 %4
Strafminuten: %1 %5, %3 %6
Timeouts: %1 %7, %3 %8
</source>
        <translation>
Penalties: %1 %2, %3 %4
Penalty minutes: %1 %5, %3 %6
Time-outs: %1 %7, %3 %8
</translation>
    </message>
    <message>
        <source>Verwarnungen;%1;%2<byte value="xd"/>
Disqualifikationen;%3;%4<byte value="xd"/>
</source>
        <translation>Warnings;%1;%2<byte value="xd"/>
Disqualifications;%3;%4<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Verwarnungen: %1 %2, %3 %4
Disqualifikationen: %1 %5, %3 %6
</source>
        <translation>Warnings: %1 %2, %3 %4
Disqualifications: %1 %5, %3 %6
</translation>
    </message>
</context>
<context>
    <name>ml::QtSerialDevice</name>
    <message>
        <source>Gerät nicht mehr erreichbar</source>
        <translation>device no longer reachable</translation>
    </message>
    <message>
        <source>Schreibfehler</source>
        <translation>write error</translation>
    </message>
    <message>
        <source>Gerätefehler</source>
        <translation>device error</translation>
    </message>
</context>
<context>
    <name>ml::QtStorage</name>
    <message>
        <source>schreibgeschützt</source>
        <translation>read only</translation>
    </message>
    <message>
        <source>Datenträger voll</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>keine Berechtigung</source>
        <translation>no permission</translation>
    </message>
    <message>
        <source>keine gewöhnliche Datei</source>
        <translation>no regular file</translation>
    </message>
    <message>
        <source>Ordner kann nicht angelegt werden</source>
        <translation>folder cannot be made</translation>
    </message>
    <message>
        <source>nicht schreibbar</source>
        <translation>not writable</translation>
    </message>
</context>
<context>
    <name>ml::ReportSheet</name>
    <message>
        <source> (zurückgenommen)</source>
        <translation> (taken back)</translation>
    </message>
    <message>
        <source>Summen</source>
        <translation>Totals</translation>
    </message>
    <message>
        <source>Spielbericht</source>
        <translation>Match report</translation>
    </message>
    <message>
        <source>entfernt</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>beendet %1</source>
        <translation>ended %1</translation>
    </message>
    <message>
        <source>verbüßt %1</source>
        <translation>served %1</translation>
    </message>
    <message>
        <source>%1 – %2   %3</source>
        <translation>%1 – %2   %3</translation>
    </message>
    <message>
        <source>Abschnitte: %1</source>
        <translation>Periods: %1</translation>
    </message>
    <message>
        <source>Tore</source>
        <translation>Goals</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Abschnitt</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Mannschaft</source>
        <translation>Team</translation>
    </message>
    <message>
        <source>Torschütze</source>
        <translation>Scorer</translation>
    </message>
    <message>
        <source>Vorlagen</source>
        <translation>Assists</translation>
    </message>
    <message>
        <source>Stand</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Strafen</source>
        <translation>Penalties</translation>
    </message>
    <message>
        <source>Spieler</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Timeouts und Fouls</source>
        <translation>Timeouts and fouls</translation>
    </message>
    <message>
        <source>Ereignis</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>Bank</source>
        <translation>Bench</translation>
    </message>
    <message>
        <source>%1: %2 Tore, %3 Strafminuten%4, %5 Timeouts%6</source>
        <translation>%1: %2 goals, %3 penalty minutes%4, %5 timeouts%6</translation>
    </message>
    <message>
        <source>, %1 Fouls</source>
        <translation>, %1 fouls</translation>
    </message>
    <message>
        <source>Zeitnehmer</source>
        <translation>Timekeeper</translation>
    </message>
    <message>
        <source>Schreiber</source>
        <translation>Scorer</translation>
    </message>
    <message>
        <source> (Bericht)</source>
        <translation> (report)</translation>
    </message>
    <message>
        <source>, verwarnt %1</source>
        <translation>, warned %1</translation>
    </message>
    <message>
        <source>, disqualifiziert %1</source>
        <translation>, disqualified %1</translation>
    </message>
    <message>
        <source>Verwarnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Blaue Karte</source>
        <translation>Blue card</translation>
    </message>
    <message>
        <source>Disqualifikation</source>
        <translation>Disqualification</translation>
    </message>
</context>
<context>
    <name>ml::TrimText</name>
    <message>
        <source> beim beim Text trimmen:</source>
        <translation> when trimming the text:</translation>
    </message>
    <message>
        <source>Ungültiger Prozeduraufruf oder ungültiges Argument</source>
        <translation>Invalid procedure call or argument</translation>
    </message>
    <message>
        <source>unbestimmter Fehler in Function TrimText!</source>
        <translation>undetermined error in function TrimText!</translation>
    </message>
    <message>
        <source>Bitte an Vandrel melden</source>
        <translation>Please report to Vandrel</translation>
    </message>
</context>
<context>
    <name>ml::app::Banner</name>
    <message>
        <source>Anzeigelinie · Scoreboard · Timing</source>
        <translation>Display line · Scoreboard · Timing</translation>
    </message>
</context>
<context>
    <name>ml::app::Layout</name>
    <message>
        <source>
Taste: </source>
        <translation>
Key: </translation>
    </message>
    <message>
        <source>
Tasten: </source>
        <translation>
Keys: </translation>
    </message>
    <message>
        <source>startet und stoppt eine Strafe</source>
        <translation>starts and stops a penalty</translation>
    </message>
    <message>
        <source>Startwert einer Strafe in Minuten</source>
        <translation>length of a penalty in minutes</translation>
    </message>
    <message>
        <source>Spielstand um eins erhöhen</source>
        <translation>add one to the score</translation>
    </message>
    <message>
        <source>Spielstand um eins verringern</source>
        <translation>take one from the score</translation>
    </message>
    <message>
        <source>Ihr Text, der unten eingegeben wurde, wird angezeigt</source>
        <translation>your text, typed below, is shown</translation>
    </message>
    <message>
        <source>Anzeigen ein- / ausschalten</source>
        <translation>switches the display on / off</translation>
    </message>
    <message>
        <source>freier Text oben für die Anzeige</source>
        <translation>free text on the upper row of the display</translation>
    </message>
    <message>
        <source>freier Text unten für die Anzeige</source>
        <translation>free text on the lower row of the display</translation>
    </message>
    <message>
        <source>freier Text für die Anzeige</source>
        <translation>free text for the display</translation>
    </message>
    <message>
        <source>zeigt die aktuelle Uhrzeit an</source>
        <translation>shows the time of day</translation>
    </message>
    <message>
        <source>Startet das unter &quot;Extras-Programme&quot; gewählte Programm auf der Anzeigelinie </source>
        <translation>Starts the program chosen under &quot;Tools - Programs&quot; on the display line </translation>
    </message>
    <message>
        <source>startet und stoppt die Spielzeit</source>
        <translation>starts and stops the match clock</translation>
    </message>
    <message>
        <source>Startwert der Spielzeit in Minuten</source>
        <translation>start value of the match clock in minutes</translation>
    </message>
    <message>
        <source>Rücksetzten der Spielzeit (Rücksetzten mit Punkte in Extras - Reset)</source>
        <translation>resets the match clock (with the scores in Tools - Reset)</translation>
    </message>
    <message>
        <source>Com Port, an der die Anzeigelinie angeschlossen ist wählen</source>
        <translation>choose the COM port the display line is connected to</translation>
    </message>
    <message>
        <source>öffnet oder schliesst den gewählten COM Port</source>
        <translation>opens or closes the chosen COM port</translation>
    </message>
    <message>
        <source>startet und stoppt ein Timeout</source>
        <translation>starts and stops a time-out</translation>
    </message>
    <message>
        <source>Startwert eines Timeouts in Minuten</source>
        <translation>length of a time-out in minutes</translation>
    </message>
    <message>
        <source>startet und stoppt eine Pause</source>
        <translation>starts and stops a break</translation>
    </message>
    <message>
        <source>Startwert der Pause in Minuten</source>
        <translation>length of the break in minutes</translation>
    </message>
    <message>
        <source>Hupe: ertönt, solange gedrückt</source>
        <translation>Horn: sounds while held</translation>
    </message>
    <message>
        <source>Die Hupe kann nicht spielen: kein Audiogerät gefunden oder es ist ausgefallen</source>
        <translation>The horn cannot sound: no audio device found, or it failed</translation>
    </message>
    <message>
        <source>Nummer des Spielers der nächsten Strafe (1 bis 99, leer: ohne)</source>
        <translation>number of the player of the next penalty (1 to 99, empty: none)</translation>
    </message>
    <message>
        <source>die Strafen der Mannschaft: Nummer, Zeit bis zum Ende, wartende</source>
        <translation>the team&apos;s penalties: number, time to serve, waiting ones</translation>
    </message>
    <message>
        <source>beendet die gewählte Strafe vor ihrer Zeit</source>
        <translation>ends the chosen penalty before its time</translation>
    </message>
    <message>
        <source>nimmt die gewählte Strafe aus der Liste (ein Versehen)</source>
        <translation>takes the chosen penalty out of the list (a mistake)</translation>
    </message>
    <message>
        <source>Timeout der Heim-Mannschaft (zählt nach den Regeln)</source>
        <translation>time-out of the home team (counted by the rules)</translation>
    </message>
    <message>
        <source>Timeout der Gast-Mannschaft (zählt nach den Regeln)</source>
        <translation>time-out of the guest team (counted by the rules)</translation>
    </message>
    <message>
        <source>Timeouts: genommen ● und noch erlaubt ○</source>
        <translation>time-outs: taken ● and still allowed ○</translation>
    </message>
    <message>
        <source>der laufende Abschnitt</source>
        <translation>the period under way</translation>
    </message>
    <message>
        <source>vom Ende eines Abschnitts zur Pause, von der Pause zum nächsten Abschnitt</source>
        <translation>from the end of a period to its break, from the break to the next period</translation>
    </message>
    <message>
        <source>ein Foul der Heim-Mannschaft (mit der Nummer aus &quot;Nr.&quot;, wo die Sportart die Fouls der Spieler zählt)</source>
        <translation>a foul of the home team (with the number from &quot;No.&quot; where the sport counts the players&apos; fouls)</translation>
    </message>
    <message>
        <source>ein Foul der Gast-Mannschaft (mit der Nummer aus &quot;Nr.&quot;, wo die Sportart die Fouls der Spieler zählt)</source>
        <translation>a foul of the guest team (with the number from &quot;No.&quot; where the sport counts the players&apos; fouls)</translation>
    </message>
    <message>
        <source>Teamfouls im Abschnitt; die Marke, sobald jedes weitere Foul bestraft wird</source>
        <translation>team fouls in the period; the mark once every further foul is penalised</translation>
    </message>
    <message>
        <source>Verwarnung (gelbe Karte) für die Nummer aus &quot;Nr.&quot;</source>
        <translation>Warning (yellow card) for the number in &quot;No.&quot;</translation>
    </message>
    <message>
        <source>Disqualifikation (rote Karte) für die Nummer aus &quot;Nr.&quot;: die Mannschaft spielt eine Strafe in Unterzahl</source>
        <translation>Disqualification (red card) for the number in &quot;No.&quot;: the team plays one penalty short</translation>
    </message>
</context>
<context>
    <name>ml::app::Menus</name>
    <message>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Größe</source>
        <translation>&amp;Size</translation>
    </message>
    <message>
        <source>&amp;Sprache</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Systemsprache</source>
        <translation>System language</translation>
    </message>
</context>
<context>
    <name>ml::app::Mnemonic</name>
    <message>
        <source>D</source>
        <comment>Datei</comment>
        <translation>F</translation>
    </message>
    <message>
        <source>E</source>
        <comment>Extras</comment>
        <translation>T</translation>
    </message>
    <message>
        <source>?</source>
        <comment>Help</comment>
        <translation>?</translation>
    </message>
    <message>
        <source>E</source>
        <comment>Ende</comment>
        <translation>x</translation>
    </message>
    <message>
        <source>R</source>
        <comment>undo</comment>
        <translation>U</translation>
    </message>
    <message>
        <source>W</source>
        <comment>redo</comment>
        <translation>R</translation>
    </message>
    <message>
        <source>Z</source>
        <comment>Count</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>S</source>
        <comment>s_change</comment>
        <translation>E</translation>
    </message>
    <message>
        <source>g</source>
        <comment>miror</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>M</source>
        <comment>Mode</comment>
        <translation>o</translation>
    </message>
    <message>
        <source>e</source>
        <comment>reset</comment>
        <translation>s</translation>
    </message>
    <message>
        <source>H</source>
        <comment>Helligkeit</comment>
        <translation>B</translation>
    </message>
    <message>
        <source>P</source>
        <comment>HL_Prog</comment>
        <translation>P</translation>
    </message>
    <message>
        <source>C</source>
        <comment>check_comPorts</comment>
        <translation>C</translation>
    </message>
    <message>
        <source>B</source>
        <comment>Baudrate</comment>
        <translation>a</translation>
    </message>
    <message>
        <source>F</source>
        <comment>remoteOn</comment>
        <translation>w</translation>
    </message>
    <message>
        <source>A</source>
        <comment>up</comment>
        <translation>U</translation>
    </message>
    <message>
        <source>b</source>
        <comment>down</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>U</source>
        <comment>Mode_up</comment>
        <translation>U</translation>
    </message>
    <message>
        <source>D</source>
        <comment>Mode_down</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>s</source>
        <comment>br_low</comment>
        <translation>l</translation>
    </message>
    <message>
        <source>m</source>
        <comment>br_med</comment>
        <translation>m</translation>
    </message>
    <message>
        <source>t</source>
        <comment>br_high</comment>
        <translation>h</translation>
    </message>
    <message>
        <source>1</source>
        <comment>Baud_1200</comment>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <comment>Baud_2400</comment>
        <translation>2</translation>
    </message>
    <message>
        <source>4</source>
        <comment>Baud_4800</comment>
        <translation>4</translation>
    </message>
    <message>
        <source>9</source>
        <comment>Baud_9600</comment>
        <translation>9</translation>
    </message>
    <message>
        <source>M</source>
        <comment>Mess</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>T</source>
        <comment>keyList</comment>
        <translation>K</translation>
    </message>
</context>
<context>
    <name>ml::app::QtDialogs</name>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ml::app::WireMonitor</name>
    <message>
        <source>COM-Port nicht geöffnet – so würde die Anzeige aussehen</source>
        <translation>COM port not open – this is how the display would look</translation>
    </message>
</context>
<context>
    <name>ml::app::main</name>
    <message>
        <source>Steuert eine LED-Anzeigelinie (2 × 16 Zeichen) an einer seriellen Schnittstelle als Scoreboard.
MARKLIGHT_PORTS=/dev/pts/4,,/dev/ttyUSB0 legt die Geräte der COM-Ports 1, 2, 3 … fest.</source>
        <translation>Runs an LED display line (2 × 16 characters) on a serial port as a scoreboard.
MARKLIGHT_PORTS=/dev/pts/4,,/dev/ttyUSB0 sets the devices of the COM ports 1, 2, 3 ….</translation>
    </message>
    <message>
        <source>Bietet die Webseiten für diesen Lauf an ADRESSE:PORT an (ohne ADRESSE 127.0.0.1), z. B. --web 8470 oder --web 0.0.0.0:8470, und nennt ihre Adressen, zuletzt die der Fernbedienung mit ihrem Schlüssel.</source>
        <translation>Offers the web pages for this run at ADDRESS:PORT (without ADDRESS 127.0.0.1), e.g. --web 8470 or --web 0.0.0.0:8470, and prints their addresses, last the remote control&apos;s with its key.</translation>
    </message>
    <message>
        <source>[ADRESSE:]PORT</source>
        <translation>[ADDRESS:]PORT</translation>
    </message>
    <message>
        <source>marklight: --web erwartet [ADRESSE:]PORT, z. B. 127.0.0.1:8470</source>
        <translation>marklight: --web takes [ADDRESS:]PORT, e.g. 127.0.0.1:8470</translation>
    </message>
    <message>
        <source>Anzeige-Monitor</source>
        <translation>Display monitor</translation>
    </message>
    <message>
        <source>Anzeige-Monitor 2</source>
        <translation>Display monitor 2</translation>
    </message>
    <message>
        <source>Anzeige-&amp;Monitor</source>
        <translation>Display &amp;monitor</translation>
    </message>
    <message>
        <source>Anzeige-Monitor &amp;2</source>
        <translation>Display monitor &amp;2</translation>
    </message>
    <message>
        <source>&amp;Netzwerk…</source>
        <translation>&amp;Network…</translation>
    </message>
    <message>
        <source>Zweite Anzeige&amp;linie…</source>
        <translation>Second display &amp;line…</translation>
    </message>
    <message>
        <source>Sendet den Spielstand für diesen Lauf an einen MQTT-Broker, unter marklight/HALLE/FELD/…; ohne mqtt:// oder mqtts:// mit TLS außer an Port 1883. Das Passwort kommt aus MARKLIGHT_MQTT_PASSWORD oder den Einstellungen.</source>
        <translation>Sends the match to an MQTT broker for this run, under marklight/HALL/COURT/…; without mqtt:// or mqtts:// with TLS except on port 1883. The password comes from MARKLIGHT_MQTT_PASSWORD or the settings.</translation>
    </message>
    <message>
        <source>[mqtt://|mqtts://][BENUTZER@]HOST[:PORT]/HALLE/FELD</source>
        <translation>[mqtt://|mqtts://][USER@]HOST[:PORT]/HALL/COURT</translation>
    </message>
    <message>
        <source>marklight: --mqtt: %1</source>
        <translation>marklight: --mqtt: %1</translation>
    </message>
    <message>
        <source>Nennt jeden Befehl mit seinen Standardtasten.</source>
        <translation>Lists every command with its standard keys.</translation>
    </message>
</context>
<context>
    <name>ml::captions</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Start Timeout</source>
        <translation>Start time-out</translation>
    </message>
    <message>
        <source>Stop Timeout</source>
        <translation>Stop time-out</translation>
    </message>
    <message>
        <source>Start Pause</source>
        <translation>Start break</translation>
    </message>
    <message>
        <source>Stop Pause</source>
        <translation>Stop break</translation>
    </message>
    <message>
        <source>Start Strafe</source>
        <translation>Start penalty</translation>
    </message>
    <message>
        <source>Stop Strafe</source>
        <translation>Stop penalty</translation>
    </message>
    <message>
        <source>öffnen</source>
        <translation>open</translation>
    </message>
    <message>
        <source>schliessen</source>
        <translation>close</translation>
    </message>
    <message>
        <source>Kein Comport verfügbar</source>
        <translation>No COM port available</translation>
    </message>
</context>
<context>
    <name>ml::failure</name>
    <message>
        <source>Typen unverträglich: &quot;%1&quot; ist keine Zahl</source>
        <translation>Type mismatch: &quot;%1&quot; is no number</translation>
    </message>
    <message>
        <source>Fehler %1%2<byte value="xd"/>
<byte value="xd"/>
%3<byte value="xd"/>
<byte value="xd"/>
%4</source>
        <translation>Error %1%2<byte value="xd"/>
<byte value="xd"/>
%3<byte value="xd"/>
<byte value="xd"/>
%4</translation>
    </message>
    <message>
        <source>Überlauf: &quot;%1&quot; ist zu groß</source>
        <translation>Overflow: &quot;%1&quot; is too large</translation>
    </message>
</context>
<context>
    <name>ml::player</name>
    <message>
        <source>&quot;%1&quot; ist keine Spielernummer von 1 bis 99</source>
        <translation>&quot;%1&quot; is no player number from 1 to 99</translation>
    </message>
    <message>
        <source>Nummer von 1 bis 99 eingeben oder das Feld leer lassen</source>
        <translation>Enter a number from 1 to 99 or leave the box empty</translation>
    </message>
</context>
<context>
    <name>ml::time</name>
    <message>
        <source>Format kontrollieren</source>
        <translation>Check the format</translation>
    </message>
    <message>
        <source> beim beim Zeiten berechnen:</source>
        <translation> when reckoning the times:</translation>
    </message>
    <message>
        <source>Format hh:mm:ss.ss kontrollieren</source>
        <translation>Check the format hh:mm:ss.ss</translation>
    </message>
</context>
<context>
    <name>ml::web::MqttPublisher</name>
    <message>
        <source> +++ MQTT: sendet an %1:%2 (marklight/%3/%4)</source>
        <translation> +++ MQTT: sending to %1:%2 (marklight/%3/%4)</translation>
    </message>
    <message>
        <source> +++ MQTT: wieder verbunden</source>
        <translation> +++ MQTT: connected again</translation>
    </message>
    <message>
        <source>MQTT: keine Verbindung (%1)</source>
        <translation>MQTT: no connection (%1)</translation>
    </message>
</context>
<context>
    <name>ml::web::RemoteControl</name>
    <message>
        <source> +++ Fernbedienung: Schlüssel kann nicht gespeichert werden: </source>
        <translation> +++ Remote control: the key cannot be saved: </translation>
    </message>
    <message>
        <source> +++ Fernbedienung: %1 falsche Schlüssel von %2 in einer Minute, die Adresse ist für eine Minute gesperrt</source>
        <translation> +++ Remote control: %1 wrong keys from %2 within a minute, the address is blocked for a minute</translation>
    </message>
    <message>
        <source> +++ Fernbedienung verbunden: %1 (%2)</source>
        <translation> +++ Remote control connected: %1 (%2)</translation>
    </message>
    <message>
        <source> +++ Fernbedienung (%1): %2</source>
        <translation> +++ Remote control (%1): %2</translation>
    </message>
    <message>
        <source>Fernbedienung: %1</source>
        <translation>Remote control: %1</translation>
    </message>
    <message>
        <source>Fernbedienung</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Fernbedienung %1 (%2) abgewiesen: alle %3 Plätze belegt</source>
        <translation>Remote control %1 (%2) refused: all %3 places taken</translation>
    </message>
</context>
<context>
    <name>ml::web::WebServer</name>
    <message>
        <source>Webseiten: Port %1 ist nicht verfügbar (%2). Das Spiel läuft ohne Webseiten weiter.</source>
        <translation>Web pages: port %1 is not available (%2). The match goes on without web pages.</translation>
    </message>
    <message>
        <source>Netzwerk</source>
        <translation>Network</translation>
    </message>
    <message>
        <source> +++ Webseiten: </source>
        <translation> +++ Web pages: </translation>
    </message>
    <message>
        <source> +++ Webseiten: höchstens %1 Verbindungen (das System erlaubt %2 offene Dateien)</source>
        <translation> +++ Web pages: at most %1 connections (the system allows %2 open files)</translation>
    </message>
</context>
</TS>
