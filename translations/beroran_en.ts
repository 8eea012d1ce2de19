<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>About</name>
    <message>
        <source>Qt について</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ベロランについて</source>
        <translation>About Beroran</translation>
    </message>
    <message>
        <source>ベロラン</source>
        <translation>Beroran</translation>
    </message>
    <message>
        <source>バージョン %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>見習い魔法使いのロッタが、逃げた使い魔たちを取り戻すターン制のボードゲームです。</source>
        <translation>A turn-based board game in which Lotta, an apprentice witch, wins back her runaway Familiars.</translation>
    </message>
    <message>
        <source>このゲームはフリーソフトウェアです。GNU 一般公衆利用許諾書（GPL）のバージョン3か、それ以降のバージョンの条件で、再配布や改変ができます（%1）。保証はまったくありません。</source>
        <translation>This game is free software: you may share and change it under the GNU General Public License, version 3 or any later version (%1). It comes with no warranty.</translation>
    </message>
    <message>
        <source>絵と音楽もこのプロジェクトで作ったもので、同じライセンスです。どちらもソースの assets/ にある、文字で書かれた元データから作られています。</source>
        <translation>The pictures and music are the project&apos;s own, under the same licence, made from the text sources in assets/ of its source.</translation>
    </message>
    <message>
        <source>音色ファイル（サウンドフォント）が読み込まれていないので、今は音楽が鳴りません。</source>
        <translation>No soundfont is loaded, so there is no music for now.</translation>
    </message>
    <message>
        <source>音楽は音色ファイル（サウンドフォント）%1 で鳴らしています。音色ファイルはこのゲームとは別のもので、それ自身のライセンスで配布されています。</source>
        <translation>The music plays with the soundfont %1. The soundfont is not part of this game and comes with its own licence.</translation>
    </message>
    <message>
        <source>音楽はまだ準備中です。少ししてからこのウィンドウを開き直すと、使っている音色ファイル（サウンドフォント）が出ます。</source>
        <translation>The music is still being set up. Open this window again in a moment to see the soundfont it plays with.</translation>
    </message>
    <message>
        <source>音を出す先（サウンド出力）が見つからないので、今は音楽が鳴りません。</source>
        <translation>No sound output was found, so there is no music for now.</translation>
    </message>
</context>
<context>
    <name>Board</name>
    <message>
        <source>マスター２</source>
        <translation>Master 2</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>召喚</source>
        <translation>Summon</translation>
    </message>
    <message>
        <source>魔法</source>
        <translation>Magic</translation>
    </message>
    <message>
        <source>ゲーム終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>キー: M</source>
        <translation>Key: M</translation>
    </message>
    <message>
        <source>キー: S</source>
        <translation>Key: S</translation>
    </message>
    <message>
        <source>キー: G</source>
        <translation>Key: G</translation>
    </message>
    <message>
        <source>キー: Space（フィールドのカーソルがないときは Enter も）</source>
        <translation>Key: Space (Enter too, when the field has no cursor)</translation>
    </message>
    <message>
        <source>キー: Enter / Space</source>
        <translation>Key: Enter / Space</translation>
    </message>
    <message>
        <source>体</source>
        <translation>HP</translation>
    </message>
    <message>
        <source>魔</source>
        <translation>MP</translation>
    </message>
    <message>
        <source>移</source>
        <translation>MV</translation>
    </message>
    <message>
        <source>攻</source>
        <translation>AT</translation>
    </message>
    <message>
        <source>ステージ %1<byte value="xd"/>
 ターン %2</source>
        <translation>Stage %1
Turn %2</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>ロッタ</source>
        <translation>Lotta</translation>
    </message>
    <message>
        <source>？？？</source>
        <translation>???</translation>
    </message>
    <message>
        <source>すけるとん</source>
        <translation>Skeleton</translation>
    </message>
    <message>
        <source>骨から作った人造の使い魔。お手軽だけど、壊れやすい。・・・まぁしょうがないか。<byte value="xd"/>
「再生」：倒れてもすぐに復活できる</source>
        <translation>A Familiar made of bones. Cheap, but it breaks easily... oh well.
Revive: back at once after it falls</translation>
    </message>
    <message>
        <source>ふぇありー</source>
        <translation>Fairy</translation>
    </message>
    <message>
        <source>かわいい妖精さん。非力。でも、かわいいならＯＫ。</source>
        <translation>A cute little fairy. Weak. But cute makes it OK!</translation>
    </message>
    <message>
        <source>ごぶりん</source>
        <translation>Goblin</translation>
    </message>
    <message>
        <source>あんまりかわいくない妖精さん。<byte value="xd"/>
…あ、ごめん。嘘、嘘。</source>
        <translation>A not-so-cute fairy.
...Oops, sorry. Kidding, kidding.</translation>
    </message>
    <message>
        <source>さらまんだー</source>
        <translation>Salamander</translation>
    </message>
    <message>
        <source>炎の精霊さん。芋を焼くのに最適。</source>
        <translation>A fire spirit. Perfect for roasting sweet potatoes.</translation>
    </message>
    <message>
        <source>ぺがさす</source>
        <translation>Pegasus</translation>
    </message>
    <message>
        <source>空飛ぶ白馬。お使いに便利。</source>
        <translation>A flying white horse. Handy for errands.</translation>
    </message>
    <message>
        <source>ごーれむ</source>
        <translation>Golem</translation>
    </message>
    <message>
        <source>鋼鉄の自動人形。すっごい丈夫。<byte value="xd"/>
どっかの壊れやすい骨とはえらい違い。<byte value="xd"/>
「防御力２」：弾かれるマス－２</source>
        <translation>A steel automaton. Super tough.
Unlike certain fragile bones I know.
Guard 2: knocked back 2 squares less</translation>
    </message>
    <message>
        <source>けんたうろす</source>
        <translation>Centaur</translation>
    </message>
    <message>
        <source>半人半馬。弓が得意。<byte value="xd"/>
「弓矢」：移動先に使い魔がいるとき、移動せずに攻撃します。ただし、召喚時は無効。</source>
        <translation>Half human, half horse. A fine archer.
Bow: shoots instead of moving onto a Familiar. Not when summoned.</translation>
    </message>
    <message>
        <source>とろーる</source>
        <translation>Troll</translation>
    </message>
    <message>
        <source>力持ちの妖精さん。模様替えとか引越しとか、一家に一台って感じよね。</source>
        <translation>A strong fairy. Rearranging rooms, moving house... every home should have one.</translation>
    </message>
    <message>
        <source>わいばーん</source>
        <translation>Wyvern</translation>
    </message>
    <message>
        <source>普通の竜と違って、腕が翼。ペガサスよりも速く飛べる</source>
        <translation>Unlike a true dragon, its arms are wings. Flies faster than a Pegasus</translation>
    </message>
    <message>
        <source>どらごん</source>
        <translation>Dragon</translation>
    </message>
    <message>
        <source>使い魔サイズでも竜は竜。私より強いってのが気に入らないけど。<byte value="xd"/>
こんなのどうやって使い魔にしたの！？<byte value="xd"/>
「防御力１」：弾かれるマス－１</source>
        <translation>Familiar-sized, but a dragon all the same. Stronger than me, which I hate.
How did this end up a Familiar?!
Guard 1: knocked back 1 square less</translation>
    </message>
    <message>
        <source>使い魔を眠らして１ラウンド行動不能にする</source>
        <translation>Puts a Familiar to sleep: it cannot act for one round</translation>
    </message>
    <message>
        <source>HP１点回復</source>
        <translation>Restores 1 HP</translation>
    </message>
    <message>
        <source>攻撃力２の攻撃</source>
        <translation>An attack with attack 2</translation>
    </message>
    <message>
        <source>使い魔の移動力＋１（最大６まで）</source>
        <translation>A Familiar&apos;s movement +1 (up to 6)</translation>
    </message>
    <message>
        <source>使い魔の攻撃力＋１（最大６まで）</source>
        <translation>A Familiar&apos;s attack +1 (up to 6)</translation>
    </message>
    <message>
        <source>指定したマスに止まるとマスターのところに帰ってしまう（１回限り有効）</source>
        <translation>A Familiar that stops on the chosen square goes home to its Master (works once)</translation>
    </message>
    <message>
        <source>HP３点回復</source>
        <translation>Restores 3 HP</translation>
    </message>
    <message>
        <source>指定したマスを中心に前後２マスの間にいる使い魔に攻撃力３の攻撃</source>
        <translation>An attack with attack 3 on every Familiar within 2 squares of the chosen one</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>再生：倒れても、すぐにまた召喚できる</source>
        <translation>Revive: can be summoned again right after falling</translation>
    </message>
    <message>
        <source>防御力２：はじき飛ばされる数が２減る</source>
        <translation>Guard 2: knocked back 2 squares less</translation>
    </message>
    <message>
        <source>防御力１：はじき飛ばされる数が１減る</source>
        <translation>Guard 1: knocked back 1 square less</translation>
    </message>
    <message>
        <source>弓矢：行き先に使い魔がいると、動かずに矢を射って攻撃する（召喚のときは射たない）</source>
        <translation>Bow: if a Familiar stands on its destination, it shoots instead of moving (not when summoned)</translation>
    </message>
    <message>
        <source>移動・召喚・魔法のボタン</source>
        <translation>The Move, Summon and Magic buttons</translation>
    </message>
    <message>
        <source>使い魔のアイコン（左から順に）</source>
        <translation>The Familiar icons, from the left</translation>
    </message>
    <message>
        <source>魔法のアイコン（左から順に）</source>
        <translation>The Magic icons, from the left</translation>
    </message>
    <message>
        <source>盤のカーソルを動かす（データ欄にそのマスの使い魔が出ます）</source>
        <translation>Move the field cursor (the data panel shows the Familiar on that square)</translation>
    </message>
    <message>
        <source>カーソルのあるマスを押す（カーソルがないときは Space と同じ）</source>
        <translation>Press the square under the cursor (without a cursor, as Space)</translation>
    </message>
    <message>
        <source>開始・Next のボタン。ほかの画面では先へ進むボタン</source>
        <translation>The Start / Next button; on other screens, the button that leads on</translation>
    </message>
    <message>
        <source>選んでいるコマンドを取り消す</source>
        <translation>Cancel the command in progress</translation>
    </message>
    <message>
        <source>ボタンを順に選ぶ（Space か Enter で押す）</source>
        <translation>Move between the buttons (Space or Enter presses one)</translation>
    </message>
    <message>
        <source>この遊び方を開く（Esc で閉じる）</source>
        <translation>Open this page (Esc closes it)</translation>
    </message>
    <message>
        <source>マスターの体力。0になったら負けです。</source>
        <translation>The Master&apos;s health. At 0 the Master loses.</translation>
    </message>
    <message>
        <source>魔力。使い魔の召喚と魔法に使います。</source>
        <translation>Magic points, spent on summoning Familiars and casting Magic.</translation>
    </message>
    <message>
        <source>移動力。盤の上の使い魔を動かすのに使います。</source>
        <translation>Movement points, spent on moving Familiars on the field.</translation>
    </message>
    <message>
        <source>ベロランの遊び方</source>
        <translation>How to Play Beroran</translation>
    </message>
    <message>
        <source>見習い魔法使いのロッタは、先生から預かった使い魔たちに逃げられてしまいました。残った使い魔と魔法で相手のマスターと戦い、逃げた使い魔をひとつずつ取り戻しましょう。</source>
        <translation>Lotta, an apprentice witch, has let her teacher&apos;s Familiars run away. Fight the enemy Masters with the Familiars and Magic she has left, and win the runaways back one by one.</translation>
    </message>
    <message>
        <source>目的</source>
        <translation>The goal</translation>
    </message>
    <message>
        <source>相手のマスターの体を0にすればステージクリアです。ステージは全部で%1つ。クリアするたびに使い魔が一種類と魔法がひとつ戻ってきて、ロッタも成長します（体が1増え、魔か移の最大値が1増えます）。</source>
        <translation>Bring the enemy Master&apos;s HP down to 0 to clear the stage. There are %1 stages. Each one you clear brings back one kind of Familiar and one Magic, and Lotta grows (HP +1, and the maximum of MP or MV +1).</translation>
    </message>
    <message>
        <source>ロッタの体が0になるとゲームオーバーで、ステージ1からやり直しです。ターンの数に制限はありません。</source>
        <translation>If Lotta&apos;s HP reaches 0, the game is over and you start again from stage 1. There is no turn limit.</translation>
    </message>
    <message>
        <source>戦いの場</source>
        <translation>The field</translation>
    </message>
    <message>
        <source>戦いの場は横一列に並んだ%1マスです。左端がロッタ、右端が相手のマスターの場所で、その間の%2マスで使い魔たちが戦います。まだ呼び出していない使い魔は、自分のマスターのところで控えています。あなたの使い魔は赤、相手の使い魔は青です。</source>
        <translation>The field is a single row of %1 squares. Lotta stands at the left end and the enemy Master at the right; the Familiars fight on the %2 squares between. Familiars not yet summoned wait with their Master. Yours are red, the enemy&apos;s are blue.</translation>
    </message>
    <message>
        <source>盤の使い魔や、下に並んだ使い魔と魔法のアイコンにマウスを合わせると、データ欄にその数字と説明が出ます。</source>
        <translation>Point at a Familiar on the field, or at a Familiar or Magic icon below, to see its numbers and description in the data panel.</translation>
    </message>
    <message>
        <source>ターンの始まり</source>
        <translation>The start of a turn</translation>
    </message>
    <message>
        <source>開始ボタンを押すと、あなたのターンが始まります。マスターの欄の三つの数字は次のとおりです。</source>
        <translation>Press Start to begin your turn. The three numbers on a Master&apos;s panel are:</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>意味</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>ターンの始めにマスターはサイコロを二つ振り、出た目の数だけ魔と移が増えます。サイコロの面の数はそれぞれの最大値と同じです。使い残した魔と移は次のターンに持ち越せますが、最大値より多くはたまりません。</source>
        <translation>At the start of a turn the Master rolls two dice and gains that much MP and MV. Each die has as many faces as that value&apos;s maximum. Unspent MP and MV carry over to the next turn, but never above the maximum.</translation>
    </message>
    <message>
        <source>盤の上の使い魔は、ターンの始めに動けるようになります。やることが済んだら Next ボタンでターンを終えましょう。相手のターンのあいだ、ボタンは Wait になります。</source>
        <translation>Familiars on the field become ready to move at the start of the turn. When you are done, end your turn with the Next button. During the enemy&apos;s turn the button reads Wait.</translation>
    </message>
    <message>
        <source>三つのコマンド</source>
        <translation>The three commands</translation>
    </message>
    <message>
        <source>移動・召喚・魔法のボタンで何をするかを選ぶと、選べる使い魔や魔法、マスにカーソルが付きます。カーソルの付いたものをクリックしてください。魔と移が足りるかぎり、一つのターンに何度でも行動できます。</source>
        <translation>Choose what to do with the Move, Summon and Magic buttons: a cursor marks every Familiar, Magic or square you can pick. Click a marked one. You can act as often as your MP and MV allow in one turn.</translation>
    </message>
    <message>
        <source>召喚：控えの使い魔を盤に呼び出します。使い魔の「魔」の数だけマスターの魔力を使います。呼び出された使い魔は、すぐに自分の「移」の数だけ前へ進みます。召喚したターンには、もう動けません。</source>
        <translation>Summon: call a waiting Familiar onto the field, paying its MP cost from the Master&apos;s MP. It at once moves forward as many squares as its MV. It cannot move again in the turn it was summoned.</translation>
    </message>
    <message>
        <source>移動：盤の上の使い魔を選び、前か後ろの行き先を選びます。進む数は、使い魔の「移」とマスターの残りの移動力のうち小さいほうで、その分だけ移動力が減ります。一体の使い魔が動けるのは、一つのターンに一度です。</source>
        <translation>Move: pick a Familiar on the field, then its destination ahead or behind. It goes the smaller of its MV and the Master&apos;s remaining MV, and the Master&apos;s MV drops by that much. Each Familiar moves at most once per turn.</translation>
    </message>
    <message>
        <source>魔法：魔法を選び、かける相手の使い魔かマスを選びます。魔法ごとの魔力を使います。</source>
        <translation>Magic: pick a Magic, then the Familiar or square to cast it on. Each Magic costs its own MP.</translation>
    </message>
    <message>
        <source>体当たりとはじき飛ばし</source>
        <translation>Strikes and knock-back</translation>
    </message>
    <message>
        <source>使い魔が止まったマスにほかの使い魔がいると、体当たりになります。体当たりされた使い魔はダメージを1受け、進んできた向きに、体当たりした使い魔の「攻」の数だけはじき飛ばされます。防御力のある使い魔は、その分だけ飛ばされる数が減ります（それでも1マスは飛ばされます）。</source>
        <translation>A Familiar that stops on an occupied square strikes the one there. The struck Familiar takes 1 damage and is knocked back in the striker&apos;s direction as many squares as the striker&apos;s AT. A Familiar with guard is knocked back that many squares less (but always at least 1).</translation>
    </message>
    <message>
        <source>飛ばされた先にまた使い魔がいれば、今度はその使い魔が体当たりされて飛ばされます。こうして何体もの使い魔が次々に飛ばされることがあります。体当たりは敵も味方も区別しないので、自分の使い魔にも気をつけて。</source>
        <translation>If it lands on another Familiar, that one is struck and knocked back in turn, so one strike can send several Familiars flying. Strikes hit friend and foe alike, so mind your own Familiars.</translation>
    </message>
    <message>
        <source>受けたダメージが「体」の数に達した使い魔は倒れて、マスターのところに戻ります。倒れた使い魔は、魔法で回復するまで召喚できません（「再生」の使い魔は別です）。</source>
        <translation>A Familiar whose damage reaches its HP falls and returns to its Master. A fallen Familiar cannot be summoned until Magic heals it (except one with Revive).</translation>
    </message>
    <message>
        <source>使い魔が相手のマスターのマスにちょうど止まると、相手のマスターの体を1減らして、自分のマスターのところに戻ります。自分のマスターのマスや盤の外まで飛ばされた使い魔は、何もせずに戻ります。</source>
        <translation>A Familiar that stops exactly on the enemy Master&apos;s square takes 1 HP from that Master and returns to its own Master. A Familiar knocked onto its own Master&apos;s square or off the field simply returns.</translation>
    </message>
    <message>
        <source>使い魔</source>
        <translation>Familiars</translation>
    </message>
    <message>
        <source>使える使い魔は、ステージをクリアするたびに表の上から順に増えていきます。「魔」は召喚に使う魔力です。</source>
        <translation>Each stage you clear adds the next Familiar in this table. MP is what it costs to summon.</translation>
    </message>
    <message>
        <source>魔法</source>
        <translation>Magic</translation>
    </message>
    <message>
        <source>魔法も、ステージをクリアするたびに表の上から順に増えていきます。「魔」はかけるのに使う魔力です。</source>
        <translation>Each stage you clear also adds the next Magic in this table. MP is what it costs to cast.</translation>
    </message>
    <message>
        <source>%1 と %2 は相手の使い魔に、%3・%4・%5・%6 は自分の使い魔にかけます（%3 と %6 は控えの使い魔にも）。%7 と %8 はマスを選んでかけます。</source>
        <translation>%1 and %2 are cast on an enemy Familiar; %3, %4, %5 and %6 on one of your own (%3 and %6 also on a waiting one). %7 and %8 are cast on a square.</translation>
    </message>
    <message>
        <source>%1 と %2 で飛ばされる数は、防御力では減りません。%2 は敵も味方も巻き込みます。%3 と %4 の効き目は、その使い魔がマスターのところに戻るまで続きます。</source>
        <translation>Guard does not shorten the knock-back of %1 and %2. %2 hits friend and foe alike. %3 and %4 last until the Familiar returns to its Master.</translation>
    </message>
    <message>
        <source>%1 で仕掛けたワナは見えません。そのマスに最初に止まった使い魔は、敵でも味方でもマスターのところに送り返されます。ワナは一度働くと消えます。</source>
        <translation>A trap set with %1 is invisible. The first Familiar to stop on its square, friend or foe, is sent back to its Master. A trap works once.</translation>
    </message>
    <message>
        <source>ステージの終わりと記録</source>
        <translation>The end of a stage, and records</translation>
    </message>
    <message>
        <source>相手のマスターの体が0になるとステージクリアです。戻ってきた使い魔と魔法、ロッタの成長が「今日の成果」に出ます。両方のマスターが同時に倒れたときは、あなたの負けです。</source>
        <translation>When the enemy Master&apos;s HP reaches 0 the stage is cleared; Today&apos;s Haul shows the Familiar and Magic you won back and how Lotta grew. If both Masters fall at once, you lose.</translation>
    </message>
    <message>
        <source>ステージごとのクリアまでの最短ターン数と、全ステージを通した合計の最短ターン数が、メニューバーの「最短記録」に残ります。記録を破ると、クリアの画面でお知らせします。</source>
        <translation>The fewest turns to clear each stage, and the fewest for the whole game, are kept in the menu bar&apos;s Records menu. A new record is announced on the clear screen.</translation>
    </message>
    <message>
        <source>「メニュー」の「セーブ」で、今のステージとロッタの成長、ここまでのターン数を保存します。「ロード」かタイトルの「続きから」で、そのステージの始めから続けられます。</source>
        <translation>Menu → Save keeps the current stage, Lotta&apos;s growth and the turns so far. Load, or Continue on the title, resumes from the start of that stage.</translation>
    </message>
    <message>
        <source>キー操作</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>はたらき</source>
        <translation>Does</translation>
    </message>
    <message>
        <source>「メニュー」の「画面サイズ」で窓の大きさを、「速度」でゲームの速さを変えられます。「言語 / Language」では日本語と英語を切り替えられます。</source>
        <translation>Menu → Window Size changes the size of the window, and Speed the pace of the game. Language switches between Japanese and English.</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>能力</source>
        <translation>Ability</translation>
    </message>
    <message>
        <source>効果</source>
        <translation>Effect</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>行動を選択してください</source>
        <translation>What will you do?</translation>
    </message>
    <message>
        <source>移動できる使い魔がいません</source>
        <translation>No Familiar can move</translation>
    </message>
    <message>
        <source>移動させる使い魔を選んでください</source>
        <translation>Choose a Familiar to move</translation>
    </message>
    <message>
        <source>召喚できる使い魔がいません</source>
        <translation>No Familiar can be summoned</translation>
    </message>
    <message>
        <source>召喚する使い魔を選んでください</source>
        <translation>Choose a Familiar to summon</translation>
    </message>
    <message>
        <source>使える魔法がありません</source>
        <translation>No Magic you can cast</translation>
    </message>
    <message>
        <source>魔法を選んでください</source>
        <translation>Choose a Magic</translation>
    </message>
    <message>
        <source>移動先を選んでください</source>
        <translation>Choose where it moves</translation>
    </message>
    <message>
        <source>魔法の対象がありません</source>
        <translation>Nothing to cast it on</translation>
    </message>
    <message>
        <source>魔法をかける地点を選んでください</source>
        <translation>Choose a square to cast it on</translation>
    </message>
    <message>
        <source>魔法の対象を選んでください</source>
        <translation>Choose a target</translation>
    </message>
    <message>
        <source>開始ボタンを押してください</source>
        <translation>Press Start</translation>
    </message>
    <message>
        <source>行動を選んでください</source>
        <translation>What will you do?</translation>
    </message>
    <message>
        <source>使えるセーブデータがありません</source>
        <translation>No usable save</translation>
    </message>
    <message>
        <source>まだセーブできるゲームがありません</source>
        <translation>No game to save yet</translation>
    </message>
    <message>
        <source>セーブできませんでした</source>
        <translation>Could not save</translation>
    </message>
    <message>
        <source>セーブしました</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>…思考中…</source>
        <translation>...thinking...</translation>
    </message>
</context>
<context>
    <name>Screens</name>
    <message>
        <source>ロッタは魔法使い見習いです。<byte value="xd"/>
この前、先生から使い魔たちのお世話をまかされました。<byte value="xd"/>
ところが、その使い魔たちがみーんな逃げ出しちゃった！<byte value="xd"/>
「先生にバレる前に、ちゃちゃっと連れ戻しちゃおっと♪」</source>
        <translation>Lotta is an apprentice witch.
Her teacher just put her in charge of the Familiars.
But now every last one of them has run away!
&quot;I&apos;ll round them up before Teacher finds out ♪&quot;</translation>
    </message>
    <message>
        <source>？？？「あいたたた・・・」</source>
        <translation>???: &quot;Ow, ow, ow...&quot;</translation>
    </message>
    <message>
        <source>ロッタ「あれっ！？ せ、先生！？ なんで先生がここに！？」</source>
        <translation>Lotta: &quot;Huh?! T-Teacher?! What are you doing here?!&quot;</translation>
    </message>
    <message>
        <source>先生「使い魔が逃げたのは最初からわしの仕業じゃ。よい修行じゃったろ？」</source>
        <translation>Teacher: &quot;The runaways were my doing all along. Good training, eh?&quot;</translation>
    </message>
    <message>
        <source>ロッタ「ひっどーい！ そんなの、ぜーったい許さないんだから！」</source>
        <translation>Lotta: &quot;That&apos;s so mean! I&apos;ll never, ever forgive you!&quot;</translation>
    </message>
    <message>
        <source>先生「ふぉっふぉっふぉ、そう怒るでない怒るでない♪」</source>
        <translation>Teacher: &quot;Ho ho ho! Now, now, don&apos;t be cross, don&apos;t be cross ♪&quot;</translation>
    </message>
    <message>
        <source>ロッタの成長</source>
        <translation>Lotta&apos;s Growth</translation>
    </message>
    <message>
        <source>今日の成果</source>
        <translation>Today&apos;s Haul</translation>
    </message>
    <message>
        <source>次のステージ</source>
        <translation>Next Stage</translation>
    </message>
    <message>
        <source>ベロラン</source>
        <translation>Beroran</translation>
    </message>
    <message>
        <source>最初から</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>続きから</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>始まり</source>
        <translation>Prologue</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>タイトルに戻る</source>
        <translation>Back to Title</translation>
    </message>
    <message>
        <source>げーむおーばー</source>
        <translation>Game Over</translation>
    </message>
    <message>
        <source>げーむくりあ</source>
        <translation>Game Clear</translation>
    </message>
    <message>
        <source>今日の成果？</source>
        <translation>Today&apos;s Haul?</translation>
    </message>
    <message>
        <source>使い魔<byte value="xd"/>
「%1」<byte value="xd"/>
をゲット！</source>
        <translation>Got a Familiar:
%1!</translation>
    </message>
    <message>
        <source>魔法<byte value="xd"/>
「%1」<byte value="xd"/>
をゲット！</source>
        <translation>Got a Magic:
%1!</translation>
    </message>
    <message>
        <source>最短記録を更新！<byte value="xd"/>
ステージ%1<byte value="xd"/>
%2→%3</source>
        <translation>New record!
Stage %1
%2→%3 turns</translation>
    </message>
    <message>
        <source>最短記録を更新！<byte value="xd"/>
総ターン<byte value="xd"/>
%1→%2</source>
        <translation>New record!
Whole game
%1→%2 turns</translation>
    </message>
    <message>
        <source>（記録を保存できません）</source>
        <translation>(The record could not be saved)</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>ベロラン</source>
        <translation>Beroran</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>タイトルに戻る</source>
        <translation>Back to Title</translation>
    </message>
    <message>
        <source>セーブ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ロード</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>画面サイズ</source>
        <translation>Window Size</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>はやい</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>とてもはやい</source>
        <translation>Very Fast</translation>
    </message>
    <message>
        <source>ゲーム終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>最短記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>ステージ１</source>
        <translation>Stage 1</translation>
    </message>
    <message>
        <source>ステージ２</source>
        <translation>Stage 2</translation>
    </message>
    <message>
        <source>ステージ３</source>
        <translation>Stage 3</translation>
    </message>
    <message>
        <source>ステージ４</source>
        <translation>Stage 4</translation>
    </message>
    <message>
        <source>ステージ５</source>
        <translation>Stage 5</translation>
    </message>
    <message>
        <source>ステージ６</source>
        <translation>Stage 6</translation>
    </message>
    <message>
        <source>ステージ７</source>
        <translation>Stage 7</translation>
    </message>
    <message>
        <source>ステージ８</source>
        <translation>Stage 8</translation>
    </message>
    <message>
        <source>総ターン</source>
        <translation>Whole Game</translation>
    </message>
    <message>
        <source>ステージ１…%1</source>
        <translation>Stage 1: %1 turns</translation>
    </message>
    <message>
        <source>ステージ２…%1</source>
        <translation>Stage 2: %1 turns</translation>
    </message>
    <message>
        <source>ステージ３…%1</source>
        <translation>Stage 3: %1 turns</translation>
    </message>
    <message>
        <source>ステージ４…%1</source>
        <translation>Stage 4: %1 turns</translation>
    </message>
    <message>
        <source>ステージ５…%1</source>
        <translation>Stage 5: %1 turns</translation>
    </message>
    <message>
        <source>ステージ６…%1</source>
        <translation>Stage 6: %1 turns</translation>
    </message>
    <message>
        <source>ステージ７…%1</source>
        <translation>Stage 7: %1 turns</translation>
    </message>
    <message>
        <source>ステージ８…%1</source>
        <translation>Stage 8: %1 turns</translation>
    </message>
    <message>
        <source>総ターン…%1</source>
        <translation>Whole game: %1 turns</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to Play</translation>
    </message>
    <message>
        <source>このゲームについて</source>
        <translation>About Beroran</translation>
    </message>
</context>
</TS>
