// The hand-written part of the instruction: what each section asks for and why, in the
// applicant's words. Fields, formats and messages are added from the tables.
#include "editor/help/help_content.h"

namespace editor {

namespace {

QString p(const char* text) {
    return QStringLiteral("<p>%1</p>\n").arg(QString::fromUtf8(text));
}

} // namespace

const std::map<int, QString>& helpExplanations() {
    static const std::map<int, QString> texts = {
        {kWindowHelpTopic,
         p("Edytor służy do wypełnienia, sprawdzenia, zapisania i wydrukowania wniosku o "
           "dofinansowanie Projektu. Wniosek jest podzielony na strony (zakładki po lewej "
           "stronie okna) i punkty odpowiadające punktom papierowego formularza. Przy każdym "
           "punkcie jest przycisk „?”, który otwiera opis tego punktu; klawisz F1 w dowolnym "
           "polu otwiera opis punktu, w którym jest to pole.") +
             p("Tab przechodzi do następnego pola, Shift+Tab do poprzedniego. Wartość wpisana w "
               "pole jest zapamiętywana po wyjściu z pola; Esc przywraca poprzednią wartość. "
               "Daty wpisuje się w formacie rrrr.mm.dd (np. 2005.03.31), miesiące w formacie "
               "\"mm rrrr\" (np. 03 2006), kwoty w złotych z groszami (np. 12 500,00).") +
             p("Przycisk „Zapisz” zapisuje wniosek do pliku, „Walidacja” sprawdza kompletność i "
               "poprawność wniosku i pokazuje listę błędów – podwójne kliknięcie błędu przenosi "
               "do pola, którego dotyczy. „Podgląd wydruku” i „Drukuj” pokazują i drukują wniosek; "
               "wniosek z błędami jest drukowany jako wydruk próbny. Strona „Suma kontr.” "
               "pokazuje sumę kontrolną, którą trzeba przepisać do wersji papierowej.") +
             p("W długich tekstach program podkreśla słowa, których nie zna słownik języka "
               "polskiego; prawy przycisk myszy na podkreślonym słowie podpowiada poprawną "
               "pisownię i pozwala dodać słowo do własnego słownika („Dodaj do słownika”).")},
        {827010101,
         p("Pierwsza strona wniosku. Przed wypełnieniem wniosku warto przeczytać całą "
           "instrukcję; numer wniosku i datę wpływu wypełnia instytucja, która przyjmuje "
           "wniosek.")},
        {100,
         p("Program operacyjny, z którego ma być dofinansowany Projekt. Od wyboru w tym punkcie "
           "zależą listy w punktach 2, 3 i 4.")},
        {200,
         p("Priorytet programu operacyjnego. Lista zawiera tylko priorytety programu wybranego "
           "w punkcie 1.")},
        {300, p("Działanie w ramach priorytetu. Lista zawiera tylko działania priorytetu wybranego "
                "w punkcie 2.")},
        {827010204,
         p("Poddziałanie w ramach działania. Gdy wybrane działanie nie ma poddziałań, należy "
           "zaznaczyć, że punkt nie dotyczy Projektu.")},
        {600, p("Tytuł Projektu – krótki, jednoznaczny, taki sam jak w innych dokumentach "
                "Projektu.")},
        {601, p("Rodzaj Projektu. Od wyboru zależy, które załączniki są obowiązkowe (strona "
                "„Załączniki”). Rodzaj „Inne” może być wybrany tylko dla priorytetu „Pomoc "
                "Techniczna”.")},
        {602,
         p("Kategoria interwencji funduszy strukturalnych: najpierw poziom pierwszy, potem "
           "kolejne; lista niższego poziomu zawiera tylko pozycje wybranego poziomu wyższego.")},
        {603, p("Obszar, na którym realizowany jest Projekt.")},
        {604,
         p("Miejsca realizacji Projektu: województwo, powiat i gmina, jeden wiersz na miejsce. "
           "Gdy Projekt obejmuje cały kraj, tabela pozostaje pusta. Lista powiatów zawiera "
           "tylko powiaty wybranego województwa, lista gmin – gminy wybranego powiatu.")},
        {605,
         p("Opis Projektu: jego cel, zakres rzeczowy i uzasadnienie potrzeby realizacji. Każde "
           "pole mieści najwyżej 4000 znaków.")},
        {606, p("Powiązania Projektu z innymi działaniami i projektami finansowanymi z programów "
                "operacyjnych.")},
        {827010402, p("Inne projekty beneficjenta z ostatnich pięciu lat, finansowane ze środków "
                      "publicznych: tytuł, źródło finansowania i kwota.")},
        {827010501,
         p("Trwałość Projektu: kto i jak będzie utrzymywał produkty Projektu po zakończeniu "
           "jego realizacji i z jakich środków.")},
        {827010502,
         p("Co się stanie z Projektem, jeśli nie otrzyma wsparcia. Można zaznaczyć tylko jedną "
           "odpowiedź; zaznaczenie innej odznacza poprzednią. Odpowiedź należy uzasadnić.")},
        {827010503,
         p("Harmonogram: terminy rozpoczęcia i zakończenia Projektu oraz etapy realizacji. "
           "Terminy podaje się jako miesiąc i rok. Termin rozliczenia ostatniego kontraktu "
           "późniejszy niż grudzień 2008 powoduje ostrzeżenie.")},
        {617, p("Wpływ Projektu na środowisko: wybór odpowiedzi z listy i jej uzasadnienie.")},
        {618, p("Wpływ Projektu na równość szans kobiet i mężczyzn: wybór odpowiedzi z listy i jej "
                "uzasadnienie.")},
        {827010603,
         p("Pomoc publiczna otrzymana przez beneficjenta w ostatnich trzech latach. Przy "
           "odpowiedzi „Tak” trzeba podać każdą otrzymaną pomoc: datę, tytuł i kwotę.")},
        {620, p("Zamówienia publiczne w Projekcie, jedno na pozycję: przedmiot zamówienia, tryb "
                "postępowania i to, czy procedura już się rozpoczęła – wtedy data jej rozpoczęcia "
                "i numer ogłoszenia, w przeciwnym razie przybliżona data ogłoszenia.")},
        {621, p("Sposób promocji Projektu i informowania o dofinansowaniu z funduszy UE.")},
        {827020101,
         p("Dane instytucji, która występuje z wnioskiem: nazwa, forma prawna, adres, numery "
           "NIP i REGON, dane kontaktowe. Listy powiatów i gmin zależą od wybranego "
           "województwa i powiatu.")},
        {500, p("Osoba upoważniona do podpisania wniosku w imieniu beneficjenta: imię, nazwisko, "
                "stanowisko i dane kontaktowe.")},
        {827020201, p("Podmiot, który reprezentuje beneficjenta, jeżeli taki jest – jego dane "
                      "identyfikacyjne i adres.")},
        {827020202, p("Osoba, z którą instytucja będzie się kontaktować w sprawach Projektu.")},
        {608,
         p("Inne podmioty, które finansują realizację Projektu, jeden na pozycję: nazwa, adres, "
           "numery identyfikacyjne i kwota udziału.")},
        {828040201,
         p("Oświadczenie beneficjenta o prawdziwości danych we wniosku. Imię i nazwisko "
           "wpisuje się literami drukowanymi (program sam zamienia litery na wielkie). Data "
           "oświadczenia późniejsza niż miesiąc rozliczenia ostatniego kontraktu powoduje "
           "ostrzeżenie.")},
        {827030101,
         p("Wskaźniki produktu i rezultatu Projektu: nazwa, jednostka miary i wartości w "
           "kolejnych latach.")},
        {827040101,
         p("Typ Projektu: czy Projekt generuje dochód, oraz przychody według kategorii w "
           "kolejnych latach.")},
        {614, p("Planowane wydatki Projektu według kategorii, w kolejnych latach, w złotych. Sumy "
                "liczy program.")},
        {615,
         p("Źródła finansowania wydatków kwalifikowanych, w kolejnych latach, w złotych netto. "
           "Udziały procentowe i sumy liczy program.")},
        {827040202,
         p("Profil wydatkowania: jak wydatki kwalifikowane rozkładają się na kolejne lata. Sumy "
           "muszą się zgadzać ze źródłami finansowania (punkt 6n).")},
        {827050101,
         p("Lista załączników: dla każdego załącznika zaznacza się, czy jest dołączony "
           "(„TAK” dla robót, dostaw lub usług), „NIE” albo „NIE DOTYCZY”. Które załączniki "
           "są obowiązkowe, zależy od rodzaju Projektu (punkt 6a).")},
    };
    return texts;
}

} // namespace editor
