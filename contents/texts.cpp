// Every word, link address and picture name of the notice, about, licence terms and manual windows.

#include "contents/texts.h"

namespace lumaro {

std::string PercentEncoded(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')
                                || (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_'
                                || byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::string SupportMailLink()
{
    // The address is written as it stands: its "@" and dots are what a mail link expects there.
    std::string link = "mailto:";
    link += kSupportMail;
    link += "?subject=";
    link += PercentEncoded(kSupportSubject);
    return link;
}

std::string VersionLine(std::string_view version)
{
    std::string line = "Version ";
    line += version;
    return line;
}

std::string ManualText()
{
    std::string text = kManualText;
    static constexpr std::string_view kPlaceholder = "%1";
    for (std::size_t at = text.find(kPlaceholder); at != std::string::npos;
         at = text.find(kPlaceholder, at + kSupportMail.size()))
        text.replace(at, kPlaceholder.size(), kSupportMail);
    return text;
}

const char kLicenceText[] =
    "LIZENZBESTIMMUNGEN\n"
    "\n"
    "Durch das Installieren, Kopieren oder sonstige Benutzen der Software Lumaro erklären Sie\n"
    "sich mit den folgenden Bestimmungen einverstanden. Wenn Sie mit diesen Bestimmungen\n"
    "nicht einverstanden sind, dürfen Sie die Software nicht benutzen und müssen sie mit\n"
    "allen Kopien unverzüglich von Ihrem Computer entfernen.\n"
    "\n"
    "1. GEGENSTAND DES VERTRAGS\n"
    "\n"
    "Gegenstand dieses Vertrags ist das Computerprogramm Lumaro, das deutsche Lichtsignale\n"
    "der Eisenbahn darstellt, zusammen mit seiner Anleitung und allen Texten und Bildern, die\n"
    "es enthält (im Folgenden \"Software\"). Anbieter der Software ist Tornvik (im Folgenden\n"
    "\"Anbieter\").\n"
    "\n"
    "2. LIZENZGEWÄHRUNG\n"
    "\n"
    "Der Anbieter räumt Ihnen das einfache, nicht ausschließliche und nicht übertragbare\n"
    "Recht ein, die Software für private Zwecke, für die Ausbildung und für den Unterricht zu\n"
    "benutzen. Die Lizenz ist unentgeltlich und zeitlich nicht begrenzt.\n"
    "\n"
    "3. UMFANG DER BENUTZUNG\n"
    "\n"
    "Sie dürfen die Software auf beliebig vielen Computern benutzen, die Ihnen gehören oder\n"
    "die Sie rechtmäßig benutzen. Sie dürfen unveränderte Kopien der Software an Dritte\n"
    "weitergeben, sofern Sie dafür kein Entgelt verlangen und diese Lizenzbestimmungen\n"
    "beifügen. Die gewerbliche Verbreitung, der Verkauf und die Vermietung der Software\n"
    "bedürfen der schriftlichen Zustimmung des Anbieters.\n"
    "\n"
    "4. COPYRIGHT\n"
    "\n"
    "Die Software ist urheberrechtlich geschützt. Alle Rechte an der Software, insbesondere\n"
    "an ihrem Programmcode, ihren Bildern und Texten, bleiben beim Anbieter, soweit sie Ihnen\n"
    "nicht durch diese Bestimmungen ausdrücklich eingeräumt werden. Hinweise auf\n"
    "Urheberrechte und Marken dürfen weder entfernt noch verändert werden.\n"
    "\n"
    "5. ZURÜCKENTWICKLUNG\n"
    "\n"
    "Sie dürfen die Software weder zurückentwickeln noch dekompilieren oder disassemblieren,\n"
    "es sei denn, dass und soweit das geltende Recht dies ungeachtet dieser Einschränkung\n"
    "ausdrücklich gestattet. Änderungen an der Software und die Weitergabe veränderter\n"
    "Fassungen sind nicht erlaubt.\n"
    "\n"
    "6. EINGESCHRÄNKTE GEWÄHRLEISTUNG\n"
    "\n"
    "Der Anbieter gewährleistet, dass die Software im Wesentlichen so arbeitet, wie es ihre\n"
    "Anleitung beschreibt. Die Software dient dem Lernen und der Anschauung; sie ist nicht\n"
    "dafür bestimmt, Eisenbahnbetrieb zu steuern, zu überwachen oder Betriebsvorschriften zu\n"
    "ersetzen. Maßgeblich für den Eisenbahnbetrieb sind allein die amtlichen Regelwerke.\n"
    "\n"
    "7. KEINE WEITEREN GEWÄHRLEISTUNGEN\n"
    "\n"
    "Über die eingeschränkte Gewährleistung nach Abschnitt 6 hinaus übernimmt der Anbieter\n"
    "keine Gewähr, insbesondere nicht dafür, dass die Software fehlerfrei ist, ohne\n"
    "Unterbrechung läuft oder für einen bestimmten Zweck geeignet ist. Da die Software\n"
    "unentgeltlich überlassen wird, haftet der Anbieter für Mängel nur, wenn er sie arglistig\n"
    "verschwiegen hat.\n"
    "\n"
    "8. UNABHÄNGIGKEIT / TEILBARKEIT\n"
    "\n"
    "Sollte eine Bestimmung dieses Vertrags ganz oder teilweise unwirksam sein oder werden,\n"
    "so bleibt die Wirksamkeit der übrigen Bestimmungen davon unberührt. An die Stelle der\n"
    "unwirksamen Bestimmung tritt die gesetzliche Regelung, die dem Zweck der unwirksamen\n"
    "Bestimmung am nächsten kommt.\n"
    "\n"
    "9. HAFTUNGSAUSSCHLUSS FÜR FOLGESCHÄDEN\n"
    "\n"
    "Der Anbieter haftet nicht für mittelbare Schäden und Folgeschäden, insbesondere nicht\n"
    "für entgangenen Gewinn, Datenverlust oder Betriebsunterbrechungen, die aus der Benutzung\n"
    "oder der Unmöglichkeit der Benutzung der Software entstehen. Dies gilt nicht bei Vorsatz\n"
    "und grober Fahrlässigkeit sowie bei Schäden aus der Verletzung des Lebens, des Körpers\n"
    "oder der Gesundheit.\n"
    "\n"
    "10. GELTENDES RECHT\n"
    "\n"
    "Für diesen Vertrag gilt das Recht der Bundesrepublik Deutschland unter Ausschluss des\n"
    "Übereinkommens der Vereinten Nationen über Verträge über den internationalen Warenkauf.\n"
    "\n"
    "11. GERICHTSSTAND\n"
    "\n"
    "Gerichtsstand für alle Streitigkeiten aus diesem Vertrag ist, soweit gesetzlich\n"
    "zulässig, der Sitz des Anbieters.\n"
    "\n"
    "12. GESAMTER VERTRAG\n"
    "\n"
    "Diese Bestimmungen enthalten alle Vereinbarungen zwischen Ihnen und dem Anbieter über\n"
    "die Software. Sie gehen allen früheren mündlichen oder schriftlichen Absprachen vor.\n"
    "Änderungen und Ergänzungen bedürfen der Textform.\n"
    "\n"
    "13. SCHLUSSBESTIMMUNGEN\n"
    "\n"
    "Diese Lizenz endet ohne Weiteres, wenn Sie gegen eine ihrer Bestimmungen verstoßen. In\n"
    "diesem Fall müssen Sie die Software mit allen Kopien von Ihren Computern entfernen.\n"
    "Fragen zu diesen Bestimmungen richten Sie bitte an den Anbieter; seine Anschrift finden\n"
    "Sie im Fenster \"Info\".\n";

const char kManualText[] =
    "ANLEITUNG Lumaro\n"
    "\n"
    "\n"
    "1. BETRIEBSSYSTEM\n"
    "\n"
    "Lumaro läuft auf einem Linux-Desktop mit grafischer Oberfläche (X11 oder Wayland), zum Beispiel unter Debian 12. Es braucht die Bibliotheken Qt 6 und libjpeg, die jede gängige Distribution mitbringt. Das Programm besteht aus einer einzigen Datei, die man ohne Installation starten kann. Lumaro gibt es auch als Webseite, die in jedem aktuellen Browser läuft, auch auf dem Telefon, und nach dem ersten Aufruf ohne Netz.\n"
    "\n"
    "2. DATENSPEICHERUNG\n"
    "\n"
    "Die Signalbilder liegen nur im Arbeitsspeicher: Jeder Start beginnt mit allen Signalen auf Halt, im H/V-System bei Tag. Lumaro merkt sich nur zweierlei, beides in Ihrem Benutzerordner: Ihre eigenen Einstellungen (siehe 4.) in der Datei ~/.config/lumaro/lumaro.conf und den Fortschritt von Üben und Prüfung (siehe 6.) in der Datei ~/.local/share/lumaro/fortschritt.txt. Eine beschädigte Fortschrittsdatei wird mit einer Meldung unter neuem Namen beiseitegelegt, nicht gelöscht. Die Webseite legt beides im Speicher des Browsers für diese Seite ab. Löschen Sie die beiden Dateien oder die Websitedaten, beginnt Lumaro wie beim ersten Start.\n"
    "\n"
    "3. PROGRAMMENDE\n"
    "\n"
    "Über \"Datei\" -> \"Beenden\" oder über das Schließen des Hauptfensters wird das Programm beendet. Danach erscheint ein Fenster mit den Hinweisen des Herstellers; bitte beenden Sie es nicht vorzeitig und verdecken Sie es nicht. Es zählt zehn Sekunden herunter und schließt sich danach von selbst, mit ihm das ganze Programm.\n"
    "\n"
    "4. EINSTELLUNGEN\n"
    "\n"
    "Das Menü \"Einstellungen\" bietet mehrere Möglichkeiten:\n"
    "\n"
    "- SIGNALSYSTEM:\n"
    "\n"
    "- H/V-System:\tDer Hauptbildschirm zeigt Signale des H/V-Systems.\n"
    "- KS-System:\tDer Hauptbildschirm zeigt Signale des Ks-Systems.\n"
    "- Hl-System:\tDer Hauptbildschirm zeigt Signale des Hl-Systems.\n"
    "\n"
    "Das Signalsystem kann jederzeit gewechselt werden. So lassen sich die eingestellten Signalbegriffe zwischen den Systemen vergleichen, denn die Bedeutung eines Signals bleibt beim Umschalten dieselbe.\n"
    "\n"
    "- TAG/NACHT:\n"
    "\n"
    "- Tag:\tDer Hintergrund des Fensters wird als Tag dargestellt.\n"
    "- Nacht:\tDer Hintergrund des Fensters wird als Nacht dargestellt.\n"
    "\n"
    "- GLEISPLAN:\n"
    "\n"
    "Über den Signalen wird ein einfacher Gleisplan angezeigt. Das graue Rechteck ist ein Bahnsteig; die senkrechten Striche markieren den Standort des Signals, das direkt darunter steht. Wählt man den Menüpunkt noch einmal, wird der Gleisplan ausgeblendet.\n"
    "\n"
    "- SIGNALBEGRIFF:\n"
    "\n"
    "Unter den Signalen wird die amtliche Bezeichnung jedes Signalbegriffs nach dem Signalbuch angezeigt. Bleibt die Maus auf einer Bezeichnung stehen, erscheint ein Hilfetext zu ihrer Bedeutung. Wählt man den Menüpunkt noch einmal, werden die Bezeichnungen ausgeblendet.\n"
    "\n"
    "- WARUM ANZEIGEN:\n"
    "\n"
    "Die Zeile \"Warum\" unter den Bezeichnungen nennt das Signal, auf das die Maus zeigt, mit vollem Namen und erklärt, warum es zeigt, was es zeigt; ohne Maus gilt das Signal, dessen Button zuletzt gedrückt wurde. Die Signale, von denen das Bild abhängt, werden orange umrahmt. Eine lange Erklärung zeigt zuerst eine Zeile; \"mehr …\" oder ein Klick auf die Zeile zeigt sie ganz. Auf der Webseite steht die Zeile unter dem Fenster; auf einem Touchscreen öffnet ein Tippen auf ein Signal seine Tafel mit Bezeichnungen, Erklärung und Buttons.\n"
    "\n"
    "- BLINKEN ANHALTEN:\n"
    "\n"
    "Blinkende Lampen leuchten ständig und tragen einen gepunkteten Ring, damit sie nicht mit festen Lampen verwechselt werden.\n"
    "\n"
    "- LAMPENFARBEN BESCHRIFTEN:\n"
    "\n"
    "Neben jeder leuchtenden Lampe steht ihre Farbe: rt für Rot, ge für Gelb, gn für Grün, ws für Weiß.\n"
    "\n"
    "- SIGNALNAMEN ANZEIGEN:\n"
    "\n"
    "Unter der Bodenlinie steht der volle Name jedes Signals. Die vier Signale mit Kurzbezeichnung (ESig, ZSig, ASig, BSig) behalten sie; der Name steht darunter. Nur im Programmfenster.\n"
    "\n"
    "- FAHRT ZEIGEN:\n"
    "\n"
    "Über den Signalen erscheint als Linie, wie schnell ein Zug, der von links nach rechts fährt, an jeder Stelle fahren darf: 160 km/h, wo nichts einschränkt, die Geschwindigkeit, die ein Signal im anschließenden Weichenbereich erlaubt, und 0 ab einem Halt zeigenden Signal. Gestrichelte Rampen zeigen, wo der Zug vor einer niedrigeren Geschwindigkeit bremst; ein blaues Band markiert die Zuglänge, denn beschleunigen darf der Zug erst, wenn seine letzte Achse den Bereich verlassen hat. Zuglänge und \"Halt am Bahnsteig\" stellt man neben der Linie ein; \"Zug fahren lassen\" schickt einen Zug über die Strecke. Die Darstellung ist schematisch: 160 km/h Streckengeschwindigkeit, 10 m je Pixel, Rampen statt Bremskurven. Zeigt die Maus auf ein Stück der Linie, steht sein Grund in der Zeile \"Warum\".\n"
    "\n"
    "- GRÖSSE:\n"
    "\n"
    "Vergrößert das ganze Fenster auf 125 bis 200 Prozent; Schrift und Signale bleiben scharf. Die Größe gilt ab dem nächsten Start. Nur im Programmfenster; im Browser vergrößert die Zoomfunktion des Browsers.\n"
    "\n"
    "Lumaro merkt sich Ihre eigenen Einstellungen bis zum nächsten Start (siehe 2.): im Programmfenster \"Warum anzeigen\", \"Blinken anhalten\", \"Lampenfarben beschriften\", \"Signalnamen anzeigen\" und die Größe, auf der Webseite \"Blinken anhalten\" und \"Lampenfarben beschriften\". Signalsystem, Tag/Nacht, Gleisplan und Signalbegriff beginnen bei jedem Start wie gewohnt.\n"
    "\n"
    "5. HILFE:\n"
    "\n"
    "- ANLEITUNG:\n"
    "\n"
    "Diese Anleitung. An ihrem Ende steht ein Verweis auf das amtliche Signalbuch; in älteren Fassungen kann sich seine Adresse geändert haben.\n"
    "\n"
    "- LIZENZ:\n"
    "\n"
    "Die Lizenzbestimmungen. Bitte lesen Sie sie sorgfältig.\n"
    "\n"
    "- INFO:\n"
    "\n"
    "Informationen über den Hersteller von Lumaro und die Version des Programms.\n"
    "\n"
    "6. ÜBEN UND PRÜFEN:\n"
    "\n"
    "Im Menü \"Datei\" prüfen Sie Ihr Wissen an der Strecke selbst. Gefragt wird nach dem Namen eines Signalbegriffs, nach dem Einstellen eines Begriffs mit den Buttons, nach dem Begriff, der nach einem Tastendruck folgt, oder nach der erlaubten Geschwindigkeit. Das gefragte Signal bleibt sichtbar; die Zeile \"Warum\" nennt nur seinen Namen und verrät die Antwort nicht.\n"
    "\n"
    "- ÜBEN:\n"
    "\n"
    "Fragen ohne Ende, jede Antwort sofort mit Erklärung. Falsch beantwortete Fragen kommen nach einigen anderen wieder, gewusste seltener.\n"
    "\n"
    "- PRÜFUNG:\n"
    "\n"
    "Eine feste Zahl von Fragen, ohne ein Wort zur Antwort bis zum Ende. Dann stehen dort das Ergebnis und jede falsch beantwortete Frage mit der richtigen Antwort und ihrer Erklärung.\n"
    "\n"
    "- FORTSCHRITT:\n"
    "\n"
    "Für jeden Signalbegriff, wie oft er gefragt und richtig beantwortet wurde und ob er als gewusst gilt. \"Zurücksetzen\" löscht den Fortschritt nach einer Rückfrage.\n"
    "\n"
    "- BILD SPEICHERN:\n"
    "\n"
    "Speichert das Bild der Signale als PNG-Datei. Nur im Programmfenster.\n"
    "\n"
    "BUTTONS FÜR DIE SIGNALBEGRIFFE:\n"
    "\n"
    "Die Buttons unter den Signalen können frei benutzt werden und erklären sich selbst. Es gibt keine Fahrstraßenlogik: Jedes Signal lässt sich nach Belieben stellen. Einige Abhängigkeiten verhindern aber unzulässige Signalbilder; so zeigt ein Vorsignal immer an, was das folgende Hauptsignal zeigt.\n"
    "\n"
    "Bei so vielen Kombinationen lassen sich einzelne Fehler nicht ganz ausschließen. Hinweise nehmen wir gern entgegen; sie fließen in die nächste Version ein. Benutzen Sie dazu den Verweis \"Kontakt\" oder schreiben Sie an %1.\n"
    "\n"
    "\n"
    "\n"
    "\n";

} // namespace lumaro
